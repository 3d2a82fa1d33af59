// The library's process-wide objects and the flat functions that hand them out.
#ifndef ZODAVUDAZ_ENTRY_LIBRARYENTRY_H
#define ZODAVUDAZ_ENTRY_LIBRARYENTRY_H

#include <zodavudaz/database/CGUIDatabase.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

/// The configuration information block: 24 bytes, zero at load, kept for the applications.
struct ConfigInf {
  BYTE Bytes[24];
};
static_assert(sizeof(ConfigInf) == 24);

/// The one database; the same address from load to unload.
ZODAVUDAZ_EXPORT CGUIDatabase* GetDataBase() noexcept;
/// The configuration information block; the library never reads or writes it.
ZODAVUDAZ_EXPORT ConfigInf* GetConfigInf() noexcept;
/// Assigns the library's path string.
ZODAVUDAZ_EXPORT void SetMardelPath(const CString& path) noexcept;
/// The library's path string object, valid until unload.
ZODAVUDAZ_EXPORT CString* GetMardelPath() noexcept;
/// Does nothing.
ZODAVUDAZ_EXPORT void ZocInit() noexcept;

#endif
