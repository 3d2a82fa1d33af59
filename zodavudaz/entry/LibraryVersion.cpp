#include <zodavudaz/entry/LibraryVersion.h>

#include <zodavudaz/Version.h>

const char* GetZoDavudazVersion(int* major, int* minor, int* patch) noexcept {
  if (major != nullptr)
    *major = ZODAVUDAZ_VERSION_MAJOR;
  if (minor != nullptr)
    *minor = ZODAVUDAZ_VERSION_MINOR;
  if (patch != nullptr)
    *patch = ZODAVUDAZ_VERSION_PATCH;
  return ZODAVUDAZ_VERSION_STRING;
}
