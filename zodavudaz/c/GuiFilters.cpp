// A module's GUI filters through the C interface.
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/database/CGuiFilter.h>
#include <zodavudaz/entry/LibraryEntry.h>

namespace {
/// Runs change(database) for a filed module.
template <typename ChangeT>
int32_t ChangeFilters(WORD station, WORD module, ChangeT change) noexcept {
  return OnModule(station, module, [&](CModule&) {
    change(*GetDataBase());
    return ZDZ_OK;
  });
}

/// *value = the value of the filter that find(database, &filter) answers; ZDZ_E_NOT_FOUND for none.
template <typename FindT>
int32_t FindFilter(WORD station, WORD module, uint16_t* value, FindT find) noexcept {
  if (value == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnModule(station, module, [&](CModule&) {
    CGuiFilter* filter = nullptr;
    if (!find(*GetDataBase(), &filter) || filter == nullptr)
      return ZDZ_E_NOT_FOUND;
    *value = filter->FilterValue;
    return ZDZ_OK;
  });
}
} // namespace

int32_t zdz_add_gui_filter(uint16_t station, uint16_t module, uint16_t id, uint16_t value) {
  return ChangeFilters(station, module,
                       [&](CGUIDatabase& database) { database.AddGuiFilter(station, module, id, value); });
}

int32_t zdz_add_named_gui_filter(uint16_t station, uint16_t module, const char* name, uint16_t value) {
  if (name == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return ChangeFilters(station, module,
                       [&](CGUIDatabase& database) { database.AddGuiFilter(station, module, CString(name), value); });
}

int32_t zdz_remove_gui_filter(uint16_t station, uint16_t module, uint16_t id) {
  return ChangeFilters(station, module, [&](CGUIDatabase& database) { database.RemoveGuiFilter(station, module, id); });
}

int32_t zdz_remove_named_gui_filter(uint16_t station, uint16_t module, const char* name) {
  if (name == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return ChangeFilters(station, module,
                       [&](CGUIDatabase& database) { database.RemoveGuiFilter(station, module, CString(name)); });
}

int32_t zdz_remove_all_gui_filter(uint16_t station, uint16_t module) {
  return ChangeFilters(station, module, [&](CGUIDatabase& database) { database.RemoveAllGuiFilter(station, module); });
}

int32_t zdz_get_gui_filter(uint16_t station, uint16_t module, uint16_t id, uint16_t* value) {
  return FindFilter(station, module, value, [&](CGUIDatabase& database, CGuiFilter** filter) {
    return database.GetGuiFilter(station, module, id, filter);
  });
}

int32_t zdz_get_named_gui_filter(uint16_t station, uint16_t module, const char* name, uint16_t* value) {
  if (name == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return FindFilter(station, module, value, [&](CGUIDatabase& database, CGuiFilter** filter) {
    return database.GetGuiFilter(station, module, CString(name), filter);
  });
}
