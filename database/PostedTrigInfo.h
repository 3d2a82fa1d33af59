// Copies of modules' save-on-trigger blocks that messages to the sequence thread refer to.
#ifndef DATABASE_POSTEDTRIGINFO_H
#define DATABASE_POSTEDTRIGINFO_H

#include <zodavudaz/database/CModule.h>

/// The address of a copy of module's ActOnTrigInfo followed by its ModuleFlags byte, as the
/// sequence thread reads them; the copy stays valid until the library is unloaded, whatever
/// becomes of the module record. Posts of the same bytes share one copy. Null when no copy can be
/// made.
const void* KeepPostedTrigInfo(const CModule& module) noexcept;

#endif
