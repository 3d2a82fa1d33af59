// The version of the library that is loaded, which may be newer than the headers a program was
// built with (<zodavudaz/Version.h>).
#ifndef ZODAVUDAZ_ENTRY_LIBRARYVERSION_H
#define ZODAVUDAZ_ENTRY_LIBRARYVERSION_H

#include <zodavudaz/platform/Export.h>

/// The loaded library's version as "MAJOR.MINOR.PATCH" (static text, never null); writes its three
/// numbers through the pointers that are not null.
ZODAVUDAZ_EXPORT const char* GetZoDavudazVersion(int* major, int* minor, int* patch) noexcept;

#endif
