#include <zodavudaz/packets/siblings/CFeModule.h>

CFeModule::CFeModule(const CFeModule& other) noexcept = default;
CFeModule& CFeModule::operator=(const CFeModule& other) noexcept = default;
