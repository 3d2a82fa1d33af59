// GUI filters of CGUIDatabase: a module's values kept under a number or a name.
#include <zodavudaz/database/CGUIDatabase.h>

#include <new>

namespace {
/// Files filter under key in map (whose values are StoredT), releasing the filter it replaces;
/// releases filter instead when the map cannot take it.
template <typename StoredT, typename MapT, typename KeyT>
void FileFilter(MapT& map, KeyT key, CGuiFilter* filter) noexcept {
  if (filter == nullptr)
    return;
  StoredT replaced = nullptr;
  const bool hadFilter = map.Lookup(key, replaced);
  if (!map.SetAt(key, filter)) {
    delete filter;
    return;
  }
  if (hadFilter)
    delete replaced;
}

template <typename StoredT, typename MapT, typename KeyT>
void RemoveFilter(MapT& map, KeyT key) noexcept {
  StoredT filed = nullptr;
  if (!map.Lookup(key, filed))
    return;
  delete filed;
  map.RemoveKey(key);
}
} // namespace

void CGUIDatabase::AddGuiFilter(WORD station, WORD slot, WORD id, WORD value) noexcept {
  CModule* module = nullptr;
  if (GetModuleInf(station, slot, &module))
    FileFilter<CGuiFilter*>(module->FilterMap, id, new (std::nothrow) CGuiFilter(id, value));
}

void CGUIDatabase::AddGuiFilter(WORD station, WORD slot, CString name, WORD value) noexcept {
  CModule* module = nullptr;
  if (GetModuleInf(station, slot, &module))
    FileFilter<CObject*>(module->NamedFilterMap, static_cast<LPCTSTR>(name), new (std::nothrow) CGuiFilter(0, value));
}

void CGUIDatabase::RemoveGuiFilter(WORD station, WORD slot, WORD id) noexcept {
  CModule* module = nullptr;
  if (GetModuleInf(station, slot, &module))
    RemoveFilter<CGuiFilter*>(module->FilterMap, id);
}

void CGUIDatabase::RemoveGuiFilter(WORD station, WORD slot, CString name) noexcept {
  CModule* module = nullptr;
  if (GetModuleInf(station, slot, &module))
    RemoveFilter<CObject*>(module->NamedFilterMap, static_cast<LPCTSTR>(name));
}

void CGUIDatabase::RemoveAllGuiFilter(WORD station, WORD slot) noexcept {
  CModule* module = nullptr;
  if (GetModuleInf(station, slot, &module))
    module->ReleaseGuiFilters();
}

int CGUIDatabase::GetGuiFilter(WORD station, WORD slot, WORD id, CGuiFilter** filter) const noexcept {
  CModule* module = nullptr;
  CGuiFilter* filed = nullptr;
  if (!GetModuleInf(station, slot, &module) || !module->FilterMap.Lookup(id, filed))
    return 0;
  *filter = filed;
  return 1;
}

int CGUIDatabase::GetGuiFilter(WORD station, WORD slot, CString name, CGuiFilter** filter) const noexcept {
  CModule* module = nullptr;
  CObject* filed = nullptr;
  if (!GetModuleInf(station, slot, &module) || !module->NamedFilterMap.Lookup(name, filed))
    return 0;
  *filter = static_cast<CGuiFilter*>(filed);
  return 1;
}
