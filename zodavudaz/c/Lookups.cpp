// Station and module look-ups through the C interface: records, slot and connection facts,
// module facts and channel scaling.
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/c/RecordLayouts.h>
#include <zodavudaz/entry/LibraryEntry.h>

namespace {
/// *answer = ask(database) for a filed station.
template <typename AnswerT, typename AskT>
int32_t AnswerForStation(WORD station, AnswerT* answer, AskT ask) noexcept {
  if (answer == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation&) {
    *answer = static_cast<AnswerT>(ask(*GetDataBase()));
    return ZDZ_OK;
  });
}

/// *answer = ask(database) for a filed module.
template <typename AnswerT, typename AskT>
int32_t AnswerForModule(WORD station, WORD module, AnswerT* answer, AskT ask) noexcept {
  if (answer == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnModule(station, module, [&](CModule&) {
    *answer = static_cast<AnswerT>(ask(*GetDataBase()));
    return ZDZ_OK;
  });
}

/// *station = the id of the station that find(database, &record) answers; ZDZ_E_UNKNOWN for none.
template <typename FindT>
int32_t FindStationBy(uint16_t* station, FindT find) noexcept {
  if (station == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    CStation* found = nullptr;
    if (!find(*GetDataBase(), &found) || found == nullptr)
      return ZDZ_E_UNKNOWN;
    *station = found->StationId;
    return ZDZ_OK;
  });
}
} // namespace

int32_t zdz_find_station(uint16_t station) {
  return OnStation(station, [](CStation&) { return ZDZ_OK; });
}

int32_t zdz_find_station_by_name(const char* name, uint16_t* station) {
  if (name == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return FindStationBy(
      station, [&](CGUIDatabase& database, CStation** found) { return database.GetStationInf(CString(name), found); });
}

int32_t zdz_find_station_by_list_index(int32_t index, uint16_t* station) {
  return FindStationBy(
      station, [&](CGUIDatabase& database, CStation** found) { return database.GetStationListInf(index, found); });
}

int32_t zdz_find_station_by_tree_item(uintptr_t item, uint16_t* station) {
  return FindStationBy(station, [&](CGUIDatabase& database, CStation** found) {
    return database.GetStationTreeInf(reinterpret_cast<HTREEITEM>(item), found); // NOLINT(performance-no-int-to-ptr)
  });
}

int32_t zdz_find_module(uint16_t station, uint16_t module) {
  return OnModule(station, module, [](CModule&) { return ZDZ_OK; });
}

int32_t zdz_find_module_by_tree_item(uintptr_t item, uint16_t* station, uint16_t* module) {
  if (station == nullptr || module == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    CGUIDatabase& database = *GetDataBase();
    CModule* found = nullptr;
    if (!database.GetModuleTreeInf(reinterpret_cast<HTREEITEM>(item), &found)) // NOLINT(performance-no-int-to-ptr)
      return ZDZ_E_UNKNOWN;
    // The module's station: the first, in walk order, that files this record.
    for (POSITION position = database.StationMap.GetStartPosition(); position != nullptr;) {
      WORD id = 0;
      CStation* filed = nullptr;
      database.StationMap.GetNextAssoc(position, id, filed);
      CModule* same = nullptr;
      if (filed != nullptr && filed->ModuleMap.Lookup(found->ModuleId, same) && same == found) {
        *station = id;
        *module = found->ModuleId;
        return ZDZ_OK;
      }
    }
    return ZDZ_E_UNKNOWN;
  });
}

int32_t zdz_is_same_station_name(const char* name, uint16_t station, int32_t* same) {
  if (name == nullptr || same == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    *same = GetDataBase()->IsSameStationName(name, station);
    return ZDZ_OK;
  });
}

int32_t zdz_get_max_slot(uint16_t station, uint8_t* slots) {
  return AnswerForStation(station, slots, [&](CGUIDatabase& database) { return database.GetMaxSlot(station); });
}

int32_t zdz_is_exist_module(uint16_t station, uint16_t slot, int32_t* exists) {
  return AnswerForStation(station, exists,
                          [&](CGUIDatabase& database) { return database.IsExistModule(station, slot); });
}

int32_t zdz_get_connect_status(uint16_t station, uint16_t slot, uint8_t* status) {
  return AnswerForStation(station, status,
                          [&](CGUIDatabase& database) { return database.GetConnectStatus(station, slot); });
}

int32_t zdz_check_master(uint16_t station, uint16_t slot, int32_t* master) {
  return AnswerForStation(station, master, [&](CGUIDatabase& database) { return database.CheckMaster(station, slot); });
}

int32_t zdz_check_term(uint16_t station, uint16_t slot, int32_t* term) {
  return AnswerForStation(station, term, [&](CGUIDatabase& database) { return database.CheckTerm(station, slot); });
}

int32_t zdz_search_master(uint16_t station, uint16_t slot, uint8_t* master) {
  return AnswerForStation(station, master,
                          [&](CGUIDatabase& database) { return database.SearchMaster(station, slot); });
}

int32_t zdz_get_connect_num(uint16_t station, uint16_t slot, uint16_t* count) {
  return AnswerForStation(station, count,
                          [&](CGUIDatabase& database) { return database.GetConnectNum(station, slot); });
}

int32_t zdz_get_connect_no(uint16_t station, uint16_t slot, uint16_t* position) {
  return AnswerForStation(station, position,
                          [&](CGUIDatabase& database) { return database.GetConnectNo(station, slot); });
}

int32_t zdz_get_acq_channel(uint16_t station, uint16_t module, uint16_t* channels) {
  return AnswerForModule(station, module, channels,
                         [&](CGUIDatabase& database) { return database.GetAcqChannel(station, module); });
}

int32_t zdz_get_product_name(uint16_t station, uint16_t module, char* name, uint32_t capacity, uint32_t* size) {
  if (IsBadBuffer(name, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    CString text;
    const WORD result = GetDataBase()->GetProductName(station, module, text);
    const int32_t put = PutText(text, name, capacity, size);
    return result != 0 ? int32_t{result} : put;
  });
}

int32_t zdz_get_product_name_by_code(uint32_t code, char* name, uint32_t capacity, uint32_t* size) {
  if (IsBadBuffer(name, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    CString text;
    GetDataBase()->GetProductName(static_cast<DWORD>(code), text);
    return PutText(text, name, capacity, size);
  });
}

int32_t zdz_is_save_on_trig_enable(uint16_t station, uint16_t module, int32_t* enabled) {
  return AnswerForModule(station, module, enabled,
                         [&](CGUIDatabase& database) { return database.IsSaveOnTrigEnable(station, module); });
}

int32_t zdz_get_gui_simple_mode(uint16_t station, uint16_t module, uint8_t* mode) {
  return AnswerForModule(station, module, mode,
                         [&](CGUIDatabase& database) { return database.GetGUISimpleMode(station, module); });
}

int32_t zdz_get_chan_scale_inf(uint16_t station, uint16_t module, uint16_t channel, uint16_t row, zdz_chnlinf* record) {
  if (record == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnModule(station, module, [&](CModule& filed) {
    CHNLINF* found = nullptr;
    if (!GetDataBase()->GetChanScaleInfEx(station, module, channel, row, &found) || found == nullptr)
      return ZDZ_E_NOT_FOUND;
    // The C++ call does not bound the record; the table's length does here.
    const std::size_t index = std::size_t{row} * filed.AcqChannel + channel;
    if (index >= ScaleTableRecords(filed.ScaleTable, filed.AcqChannel))
      return ZDZ_E_ARGUMENT;
    *record = ToC<zdz_chnlinf>(*found);
    return ZDZ_OK;
  });
}

int32_t zdz_is_scaling_enable(uint16_t station, uint16_t module, int32_t* enabled) {
  return AnswerForModule(station, module, enabled,
                         [&](CGUIDatabase& database) { return database.IsScalingEnable(station, module); });
}

int32_t zdz_get_scaling_status(uint16_t station, uint16_t module, int32_t* scaling) {
  return AnswerForModule(station, module, scaling,
                         [&](CGUIDatabase& database) { return database.GetScalingStatus(station, module); });
}
