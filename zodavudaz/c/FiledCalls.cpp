#include <zodavudaz/c/FiledCalls.h>

int32_t UnfiledStation(WORD station) noexcept {
  NoteLastError("no station %u is filed", unsigned{station});
  return ZDZ_E_UNKNOWN;
}

int32_t UnfiledModule(WORD station, WORD module) noexcept {
  if (FiledStation(station) == nullptr)
    return UnfiledStation(station);
  NoteLastError("station %u has no module %u (0x%X) filed", unsigned{station}, unsigned{module}, unsigned{module});
  return ZDZ_E_UNKNOWN;
}
