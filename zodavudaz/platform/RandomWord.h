// Unguessable numbers from the host, for names that other users must not be able to take first.
#ifndef ZODAVUDAZ_PLATFORM_RANDOMWORD_H
#define ZODAVUDAZ_PLATFORM_RANDOMWORD_H

#include <cstdint>

/// 64 bits from the host's random source; false where it gives none.
bool GetRandomWord(std::uint64_t& word) noexcept;

#endif
