// Feeds arbitrary registration files to the registry: each gives a documented result, leaves no
// key open, and enters again with the same result.
#include "fuzz/FuzzCheck.h"
#include <zodavudaz/platform/RegistryCalls.h>
#include <zodavudaz/platform/RegistryFile.h>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ClearRegistry();
  const char* text = reinterpret_cast<const char*>(data);
  const LONG status = LoadRegistryText(text, static_cast<DWORD>(size));
  Check((status == ERROR_SUCCESS || status == ERROR_BADDB) && GetOpenRegistryKeyCount() == 0);
  Check(LoadRegistryText(text, static_cast<DWORD>(size)) == status);
  return 0;
}
