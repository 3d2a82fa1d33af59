// The check that a module's stored back-up information belongs to the module filed now.
#ifndef ZODAVUDAZ_SETTINGS_MODULEBACKUPACCEPTANCE_H
#define ZODAVUDAZ_SETTINGS_MODULEBACKUPACCEPTANCE_H

#include <zodavudaz/database/CModule.h>
#include <zodavudaz/platform/CString.h>

/// Whether a module's stored back-up applies: true when info (its "ModuleInf" text) is not empty
/// and product (its "Product" text) contains module's product name; false, with info emptied,
/// otherwise.
bool AcceptModuleBackup(const CString& product, const CModule& module, CString& info) noexcept;

#endif
