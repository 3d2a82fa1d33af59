// The framework's type-safe wrapper over a pointer map.
#ifndef ZODAVUDAZ_PLATFORM_CTYPEDPTRMAP_H
#define ZODAVUDAZ_PLATFORM_CTYPEDPTRMAP_H

#include <zodavudaz/platform/BaseTypes.h>

/// BaseMap with its values typed as ValueT (a pointer type); walk order and storage are BaseMap's.
template <typename BaseMap, typename KeyT, typename ValueT>
class CTypedPtrMap : public BaseMap {
public:
  using BaseMap::BaseMap;

  BOOL Lookup(KeyT key, ValueT& value) const noexcept {
    void* found = nullptr;
    if (!BaseMap::Lookup(key, found))
      return FALSE;
    value = static_cast<ValueT>(found);
    return TRUE;
  }

  BOOL SetAt(KeyT key, ValueT value) noexcept { return BaseMap::SetAt(key, value); }

  void GetNextAssoc(POSITION& next, KeyT& key, ValueT& value) const noexcept {
    void* found = nullptr;
    BaseMap::GetNextAssoc(next, key, found);
    value = static_cast<ValueT>(found);
  }
};

#endif
