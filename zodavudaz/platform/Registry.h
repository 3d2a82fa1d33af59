// The platform's registry: a process-wide store of keys and typed values behind the registry calls.
#ifndef ZODAVUDAZ_PLATFORM_REGISTRY_H
#define ZODAVUDAZ_PLATFORM_REGISTRY_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

struct RegistryKeyTag;
/// Handle of a registry key: a predefined root or an open key.
using HKEY = RegistryKeyTag*;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using LPDWORD = DWORD*;
using LPBYTE = BYTE*;

/// The predefined roots; closing them does nothing.
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(0x80000001u);
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(0x80000002u);

/// Access right to query a key's values; the store grants every right it is asked for.
constexpr REGSAM KEY_QUERY_VALUE = 0x0001;

/// Value types.
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

/// Result codes of the registry calls.
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_BADDB = 1009;
constexpr LONG ERROR_KEY_DELETED = 1018;

// Key paths are backslash-separated; empty components are skipped, so "A\\B\\" names "A\\B".
// Key and value names compare without regard to the case of ASCII letters. A null or empty value
// name is the key's default value.

/// Creates keyName below root with every missing parent.
ZODAVUDAZ_EXPORT LONG CreateRegistryKey(HKEY root, LPCTSTR keyName) noexcept;
/// Stores size bytes of data as value valueName of type type in keyName below root, creating the
/// key; a value of the same name is replaced.
ZODAVUDAZ_EXPORT LONG SetRegistryValue(HKEY root, LPCTSTR keyName, LPCTSTR valueName, DWORD type, const void* data,
                                       DWORD size) noexcept;
/// Removes every key; handles still open find their key deleted.
ZODAVUDAZ_EXPORT void ClearRegistry() noexcept;

#endif
