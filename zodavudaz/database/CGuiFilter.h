// A GUI filter of a module: an id or name with a value.
#ifndef ZODAVUDAZ_DATABASE_CGUIFILTER_H
#define ZODAVUDAZ_DATABASE_CGUIFILTER_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CObject.h>
#include <zodavudaz/platform/Export.h>

/// Filed in a module's FilterMap under its id or in its NamedFilterMap under a name (id 0 then).
class ZODAVUDAZ_EXPORT CGuiFilter : public CObject {
public:
  CGuiFilter(WORD id, WORD value) noexcept : FilterId(id), FilterValue(value) {}
  /// The numeric key it was added under; 0 for a named filter.
  WORD FilterId;
  WORD FilterValue;
};

#endif
