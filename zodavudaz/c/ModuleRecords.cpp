// Modules filed and changed through the C interface.
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/c/RecordLayouts.h>

#include <zodavudaz/packets/siblings/CFeModule.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace {
/// Sets one field of a filed module.
template <typename SetT>
int32_t SetOnModule(WORD station, WORD module, SetT set) noexcept {
  return OnModule(station, module, [&](CModule& filed) {
    set(filed);
    return ZDZ_OK;
  });
}
} // namespace

int32_t zdz_add_module(uint16_t station, uint16_t module, const char* product_name, uint32_t product_word,
                       uint16_t channels, void* frontend) {
  if (product_name == nullptr || std::strlen(product_name) >= sizeof CModule::ProductName)
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation& filed) {
    if (FiledModule(station, module) != nullptr)
      return ZDZ_E_EXISTS;
    auto made = std::make_unique<CModule>();
    made->ModuleId = module;
    std::strcpy(made->ProductName, product_name);
    made->ProductWord = product_word;
    made->AcqChannel = channels;
    if (!filed.ModuleMap.SetAt(module, made.get()))
      return ZDZ_E_NO_MEMORY;
    // Filed, the module is the database's, and with it the frontend.
    made.release()->Frontend = static_cast<CFeModule*>(frontend);
    return ZDZ_OK;
  });
}

int32_t zdz_set_module_data_cntl_id(uint16_t station, uint16_t module, uint16_t cntl) {
  return SetOnModule(station, module, [&](CModule& filed) { filed.DataCntlId = cntl; });
}

int32_t zdz_set_module_flags(uint16_t station, uint16_t module, uint8_t flags) {
  return SetOnModule(station, module, [&](CModule& filed) { filed.ModuleFlags = flags; });
}

int32_t zdz_set_module_event_id(uint16_t station, uint16_t module, uint32_t event_id) {
  return SetOnModule(station, module, [&](CModule& filed) { filed.EventId = event_id; });
}

int32_t zdz_set_module_tree_item(uint16_t station, uint16_t module, uintptr_t item) {
  return SetOnModule(station, module, [&](CModule& filed) {
    filed.TreeItem = reinterpret_cast<HTREEITEM>(item); // NOLINT(performance-no-int-to-ptr)
  });
}

int32_t zdz_set_module_scaling(uint16_t station, uint16_t module, uint8_t status, const zdz_chnlinf* table,
                               uint32_t records) {
  if (!IsGoodInput(table, records))
    return Refused(ZDZ_E_ARGUMENT);
  return OnModule(station, module, [&](CModule& filed) {
    // The database releases a module's table with delete[].
    std::unique_ptr<CHNLINF[]> copy(records == 0 ? nullptr : new CHNLINF[records]);
    if (records != 0)
      std::memcpy(copy.get(), table, std::size_t{records} * sizeof(CHNLINF));
    if (copy != nullptr)
      KeepScaleTable(copy.get(), records);
    ForgetScaleTable(filed.ScaleTable);
    filed.ReleaseScaleTable();
    filed.ScaleTable = copy.release();
    filed.ScalingStatus = status;
    return ZDZ_OK;
  });
}

int32_t zdz_get_module_ids(uint16_t station, uint16_t* ids, uint32_t capacity, uint32_t* count) {
  if (count == nullptr || (ids == nullptr && capacity != 0))
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation& filed) { return PutIds(filed.ModuleMap, ids, capacity, count); });
}

int32_t zdz_get_module_product_name(uint16_t station, uint16_t module, char* name, uint32_t capacity, uint32_t* size) {
  if (IsBadBuffer(name, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return OnModule(station, module, [&](CModule& filed) {
    return PutText(filed.ProductName, strnlen(filed.ProductName, sizeof filed.ProductName), name, capacity, size);
  });
}

int32_t zdz_get_module_product_word(uint16_t station, uint16_t module, uint32_t* product_word) {
  if (product_word == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return SetOnModule(station, module, [&](CModule& filed) { *product_word = filed.ProductWord; });
}

int32_t zdz_get_module_stored(uint16_t station, uint16_t module, int32_t* window_right, int32_t* window_bottom,
                              uint8_t* backup, int32_t* config) {
  if (window_right == nullptr || window_bottom == nullptr || backup == nullptr || config == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return SetOnModule(station, module, [&](CModule& filed) {
    *window_right = filed.WindowRight;
    *window_bottom = filed.WindowBottom;
    const uint8_t settings[] = {filed.GuiSimpleMode, filed.BackupSetting2, filed.BackupSetting3, filed.BackupSetting4};
    std::copy(std::begin(settings), std::end(settings), backup);
    std::copy(std::begin(filed.ModuleConfig), std::end(filed.ModuleConfig), config);
  });
}

int32_t zdz_get_module_act_on_trig_info(uint16_t station, uint16_t module, zdz_act_on_trig_info* info) {
  if (info == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return SetOnModule(station, module, [&](CModule& filed) { *info = ToC<zdz_act_on_trig_info>(filed.ActOnTrigInfo); });
}
