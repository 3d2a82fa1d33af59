#include "packets/siblings/CFRONTEND.h"

// The frontend library makes these objects; copying them member-wise is this library's part.
CFRONTEND::CFRONTEND(const CFRONTEND& other) noexcept = default;
CFRONTEND& CFRONTEND::operator=(const CFRONTEND& other) noexcept = default;
