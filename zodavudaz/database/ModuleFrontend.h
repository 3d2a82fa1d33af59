// The frontend through which a request reaches a filed module.
#ifndef ZODAVUDAZ_DATABASE_MODULEFRONTEND_H
#define ZODAVUDAZ_DATABASE_MODULEFRONTEND_H

#include <zodavudaz/database/CGUIDatabase.h>
#include <zodavudaz/packets/siblings/CFeModule.h>

/// The frontend of module slot of station; null when either is not filed or the module has none.
inline CFeModule* FindModuleFrontend(const CGUIDatabase& database, WORD station, WORD slot) noexcept {
  CModule* module = nullptr;
  return database.GetModuleInf(station, slot, &module) ? module->Frontend : nullptr;
}

#endif
