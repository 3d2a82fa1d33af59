#include <zodavudaz/packets/siblings/CFRONTEND.h>

// The frontend library makes these objects; this library copies them member-wise.
CFRONTEND::CFRONTEND(const CFRONTEND& other) noexcept = default;
CFRONTEND& CFRONTEND::operator=(const CFRONTEND& other) noexcept = default;
