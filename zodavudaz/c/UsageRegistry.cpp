// The front-end usage registry through the C interface.
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/c/SequenceThread.h>
#include <zodavudaz/entry/LibraryEntry.h>

namespace {
constexpr WORD FrontEndStation = 0;

/// *answer = ask(database); no look-up of its own, as the registry's searches need none.
template <typename AskT>
int32_t AnswerUse(int32_t* answer, AskT ask) noexcept {
  if (answer == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    *answer = ask(*GetDataBase());
    return ZDZ_OK;
  });
}

/// Ends and unfiles a filed module through end(database), then frees its record, which the
/// database hands back.
template <typename EndT>
int32_t EndModule(const char* call, WORD station, WORD module, EndT end) noexcept {
  if (const int32_t refused = RefuseOnSequenceThread(call); refused != ZDZ_OK)
    return refused;
  return OnModule(station, module, [&](CModule& filed) {
    ForgetScaleTable(filed.ScaleTable);
    end(*GetDataBase());
    if (FiledModule(station, module) != &filed)
      DestroyUnfiledModule(&filed);
    return ZDZ_OK;
  });
}
} // namespace

int32_t zdz_regist_frontend_used_module(uint16_t frontend, uint16_t station, uint16_t module) {
  return OnModule(FrontEndStation, frontend, [&](CModule&) {
    GetDataBase()->RegistFrontendUsedModule(frontend, station, module);
    return ZDZ_OK;
  });
}

int32_t zdz_is_use_front_end(uint16_t station, uint16_t module, int32_t* used, uint16_t* frontend) {
  return AnswerUse(used, [&](CGUIDatabase& database) {
    if (frontend == nullptr)
      return database.IsUseFrontEnd(station, module);
    WORD user = 0;
    const int found = database.IsUseFrontEnd(station, module, &user);
    *frontend = user;
    return found;
  });
}

int32_t zdz_is_use_front_end_by(uint16_t frontend, uint16_t station, uint16_t module, int32_t* used) {
  return AnswerUse(used, [&](CGUIDatabase& database) { return database.IsUseFrontEnd(frontend, station, module); });
}

int32_t zdz_is_use_front_end_and_run(uint16_t station, uint16_t module, int32_t* running) {
  return AnswerUse(running, [&](CGUIDatabase& database) { return database.IsUseFrontEndAndRun(station, module); });
}

int32_t zdz_stop_viewer(uint16_t station, uint16_t module) {
  return OnModule(station, module, [&](CModule&) {
    GetDataBase()->StopViewer(station, module);
    return ZDZ_OK;
  });
}

int32_t zdz_exit_front_end(uint16_t station, uint16_t module) {
  return EndModule("zdz_exit_front_end", station, module,
                   [&](CGUIDatabase& database) { database.ExitFrontEnd(station, module); });
}

int32_t zdz_exit_multi_module(uint16_t station, uint16_t module) {
  return EndModule("zdz_exit_multi_module", station, module,
                   [&](CGUIDatabase& database) { database.ExitMultiModule(station, module); });
}

int32_t zdz_is_access_enable(uint16_t station, int32_t* enabled) {
  if (enabled == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation&) {
    *enabled = GetDataBase()->IsAccessEnable(station);
    return ZDZ_OK;
  });
}

int32_t zdz_is_release_enable(uint16_t station, int32_t* enabled) {
  if (enabled == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnStation(station, [&](CStation&) {
    *enabled = GetDataBase()->IsReleaseEnable(station);
    return ZDZ_OK;
  });
}
