// The registry calls the library makes, as the framework names them, on the store of the registry
// that an application fills.
#ifndef ZODAVUDAZ_PLATFORM_REGISTRYCALLS_H
#define ZODAVUDAZ_PLATFORM_REGISTRYCALLS_H

#include <zodavudaz/platform/Registry.h>

/// Opens subKey below key (a root or an open key) into *result; ERROR_FILE_NOT_FOUND and a null
/// *result when there is no such key. The caller closes the handle with RegCloseKey.
LONG RegOpenKeyExA(HKEY key, LPCTSTR subKey, DWORD options, REGSAM access, PHKEY result) noexcept;

/// Reads value valueName of key: its type into *type and its bytes, exactly as stored, into data,
/// with their count in *size. With data null only type and size are written; when *size is
/// smaller than the value, *size becomes the value's size, data is left as it was and the result
/// is ERROR_MORE_DATA. ERROR_FILE_NOT_FOUND when the value is missing.
LONG RegQueryValueExA(HKEY key, LPCTSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) noexcept;

/// Closes an open key; ERROR_INVALID_HANDLE for a handle that is not open.
LONG RegCloseKey(HKEY key) noexcept;

/// How many handles RegOpenKeyExA has handed out that are not closed yet.
int GetOpenRegistryKeyCount() noexcept;

#endif
