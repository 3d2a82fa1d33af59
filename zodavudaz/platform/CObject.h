// The framework's root class of objects kept in object maps and lists.
#ifndef ZODAVUDAZ_PLATFORM_COBJECT_H
#define ZODAVUDAZ_PLATFORM_COBJECT_H

#include <zodavudaz/platform/Export.h>

/// Base of records that an object map owns and deletes through this class.
class ZODAVUDAZ_EXPORT CObject {
public:
  CObject() = default;
  CObject(const CObject&) = default;
  CObject& operator=(const CObject&) = default;
  virtual ~CObject() = default;
};

#endif
