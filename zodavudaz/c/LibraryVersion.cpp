// The loaded library's version through the C interface.
#include <zodavudaz/c/CallGuard.h>
#include <zodavudaz/entry/LibraryVersion.h>

int32_t zdz_get_version(int32_t* major, int32_t* minor, int32_t* patch, const char** text) {
  return GuardedCall([&] {
    int numbers[3] = {};
    const char* version = GetZoDavudazVersion(&numbers[0], &numbers[1], &numbers[2]);
    int32_t* const outputs[3] = {major, minor, patch};
    for (int index = 0; index < 3; ++index)
      if (outputs[index] != nullptr)
        *outputs[index] = numbers[index];
    if (text != nullptr)
      *text = version;
    return ZDZ_OK;
  });
}
