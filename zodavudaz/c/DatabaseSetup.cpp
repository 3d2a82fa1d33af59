// The database's set-up through the C interface: frontend numbers, paths, GUI flags, and Exit.
#include <zodavudaz/c/CallGuard.h>
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/MadeRecords.h>
#include <zodavudaz/c/RecordLayouts.h>
#include <zodavudaz/c/SequenceThread.h>
#include <zodavudaz/entry/LibraryEntry.h>

namespace {
struct FlagAccess {
  void (*Set)(CGUIDatabase& database, int value) noexcept;
  int (*Get)(const CGUIDatabase& database) noexcept;
};

template <void (CGUIDatabase::*Set)(int) noexcept, int (CGUIDatabase::*Get)() const noexcept>
constexpr FlagAccess FlagOf() {
  return {[](CGUIDatabase& database, int value) noexcept { (database.*Set)(value); },
          [](const CGUIDatabase& database) noexcept { return (database.*Get)(); }};
}

// In the order of the ZDZ_FLAG_ numbers.
constexpr FlagAccess Flags[ZDZ_FLAG_COUNT] = {
    FlagOf<&CGUIDatabase::SetGuiAllModule, &CGUIDatabase::GetGuiAllModule>(),
    FlagOf<&CGUIDatabase::SetGuiPower, &CGUIDatabase::GetGuiPower>(),
    FlagOf<&CGUIDatabase::SetViewerHeight, &CGUIDatabase::GetViewerHeight>(),
    FlagOf<&CGUIDatabase::SetViewerWidth, &CGUIDatabase::GetViewerWidth>(),
    FlagOf<&CGUIDatabase::SetSystemErrorLog, &CGUIDatabase::GetSystemErrorLog>(),
    FlagOf<&CGUIDatabase::SetSystemLanguage, &CGUIDatabase::GetSystemLanguage>(),
    FlagOf<&CGUIDatabase::SetParamPower, &CGUIDatabase::GetParamPower>(),
    FlagOf<&CGUIDatabase::SetOnePanel, &CGUIDatabase::GetOnePanel>(),
    FlagOf<&CGUIDatabase::SetDblClickPanel, &CGUIDatabase::GetDblClickPanel>(),
    FlagOf<&CGUIDatabase::SetNonLoad, &CGUIDatabase::GetNonLoad>(),
    FlagOf<&CGUIDatabase::SetNonToolTip, &CGUIDatabase::GetNonToolTip>(),
    FlagOf<&CGUIDatabase::SetPowerMsg, &CGUIDatabase::GetPowerMsg>(),
    FlagOf<&CGUIDatabase::SetParamStart, &CGUIDatabase::GetParamStart>(),
    FlagOf<&CGUIDatabase::SetDefaultSave, &CGUIDatabase::GetDefaultSave>(),
};

bool IsFlag(int32_t flag) noexcept { return flag >= 0 && flag < ZDZ_FLAG_COUNT; }

/// Runs a call of the database that answers nothing.
template <typename CallT>
int32_t OnDatabase(CallT call) noexcept {
  return GuardedCall([&] {
    call(*GetDataBase());
    return ZDZ_OK;
  });
}
/// Stores a path with set(database, path).
template <typename SetT>
int32_t SetPath(const char* path, SetT set) noexcept {
  if (path == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnDatabase([&](CGUIDatabase& database) { set(database, path); });
}

/// The path get(database) answers, into the caller's buffer.
template <typename GetT>
int32_t GetPath(char* path, uint32_t capacity, uint32_t* size, GetT get) noexcept {
  if (IsBadBuffer(path, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] { return PutText(get(*GetDataBase()), path, capacity, size); });
}
} // namespace

int32_t zdz_init(void) {
  return OnDatabase([](CGUIDatabase& database) { database.Init(); });
}

int32_t zdz_exit(void) {
  if (const int32_t refused = RefuseOnSequenceThread("zdz_exit"); refused != ZDZ_OK)
    return refused;
  return OnDatabase([](CGUIDatabase& database) {
    database.Exit();
    FreeMadeStationsAfterExit();
  });
}

int32_t zdz_get_frontend_no(uint16_t* number) {
  if (number == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnDatabase([&](CGUIDatabase& database) { *number = database.GetFrontendNo(); });
}

int32_t zdz_set_frontend_no(void) {
  return OnDatabase([](CGUIDatabase& database) { database.SetFrontendNo(); });
}

int32_t zdz_clear_frontend_no(uint16_t number) {
  return OnDatabase([&](CGUIDatabase& database) { database.ClearFrontendNo(number); });
}

int32_t zdz_clear_all_frontend_no(void) {
  return OnDatabase([](CGUIDatabase& database) { database.ClearFrontendNo(); });
}

int32_t zdz_set_current_path(const char* path) {
  return SetPath(path, [](CGUIDatabase& database, const char* text) { database.SetCurrentPath(text); });
}

int32_t zdz_get_current_path(char* path, uint32_t capacity, uint32_t* size) {
  return GetPath(path, capacity, size, [](const CGUIDatabase& database) { return database.GetCurrentPath(); });
}

int32_t zdz_set_multi_module_path(const char* path) {
  return SetPath(path, [](CGUIDatabase& database, const char* text) { database.SetMultiModulePath(text); });
}

int32_t zdz_get_multi_module_path(char* path, uint32_t capacity, uint32_t* size) {
  return GetPath(path, capacity, size, [](const CGUIDatabase& database) { return database.GetMultiModulePath(); });
}

int32_t zdz_set_flag(int32_t flag, int32_t value) {
  if (!IsFlag(flag))
    return Refused(ZDZ_E_ARGUMENT);
  return OnDatabase([&](CGUIDatabase& database) { Flags[flag].Set(database, value); });
}

int32_t zdz_get_flag(int32_t flag, int32_t* value) {
  if (!IsFlag(flag) || value == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnDatabase([&](CGUIDatabase& database) { *value = Flags[flag].Get(database); });
}

int32_t zdz_set_save_on_trig_monitor_rect(const zdz_rect* rect) {
  if (rect == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnDatabase([&](CGUIDatabase& database) { database.SetSaveOnTrigMonitorRect(ToLibrary(*rect)); });
}

int32_t zdz_get_save_on_trig_monitor_rect(zdz_rect* rect) {
  if (rect == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnDatabase([&](CGUIDatabase& database) { *rect = ToC<zdz_rect, RECT>(database.GetSaveOnTrigMonitorRect()); });
}
