#include <zodavudaz/packets/siblings/COBJECT.h>

CFRONTEND::COBJECT::COBJECT(const COBJECT& other) noexcept = default;
CFRONTEND::COBJECT& CFRONTEND::COBJECT::operator=(const COBJECT& other) noexcept = default;
