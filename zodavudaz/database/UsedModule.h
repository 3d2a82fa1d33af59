// A record of one module that a front-end entry uses.
#ifndef ZODAVUDAZ_DATABASE_USEDMODULE_H
#define ZODAVUDAZ_DATABASE_USEDMODULE_H

#include <zodavudaz/platform/BaseTypes.h>

/// Station and module id of a used module; filed in a front-end entry's UsedModuleMap.
struct UsedModule {
  WORD StationId;
  WORD ModuleId;
};
static_assert(sizeof(UsedModule) == 4);

#endif
