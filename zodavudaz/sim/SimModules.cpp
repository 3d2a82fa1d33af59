// The simulated modules, the frontend objects made on them, and their control functions.
#include <zodavudaz/sim/SimControl.h>

#include <zodavudaz/sim/SimParts.h>

#include <map>
#include <memory>
#include <mutex>
#include <new>

namespace {
DWORD KeyOf(WORD station, WORD module) noexcept { return (DWORD{station} << 16) | module; }

/// Frontends still alive, with their modules.
struct Registry {
  /// Guards Modules, which the simulation's thread looks up.
  std::mutex ModulesMutex;
  std::map<DWORD, std::unique_ptr<SimModule>> Modules;
  std::map<const CFRONTEND*, CFeModule*> Frontends;
  int Destroys = 0;
  /// Kept frontends not yet destroyed.
  int LiveFrontends = 0;

  ~Registry() { EndFrontends(); }

  // Unfiled before it is deleted, so that its destructor finds nothing to forget.
  void EndFrontends() noexcept {
    while (!Frontends.empty()) {
      CFeModule* frontend = Frontends.begin()->second;
      Frontends.erase(Frontends.begin());
      delete frontend;
    }
    LiveFrontends = 0;
  }
};

Registry TheRegistryObject;

Registry& TheRegistry() noexcept { return TheRegistryObject; }

/// Runs change on the module, when there is one and it has room for the change.
template <typename ChangeT>
void Change(WORD station, WORD module, ChangeT change) noexcept {
  SimModule* found = FindSimModule(station, module);
  if (found == nullptr)
    return;
  try {
    change(*found);
  } catch (const std::bad_alloc&) {
  }
}

std::vector<BYTE> BytesOf(const void* data, DWORD bytes) {
  const BYTE* first = static_cast<const BYTE*>(data);
  return first == nullptr ? std::vector<BYTE>() : std::vector<BYTE>(first, first + bytes);
}
} // namespace

SimModule* FindSimModule(WORD station, WORD module) noexcept {
  const std::lock_guard<std::mutex> lock(TheRegistry().ModulesMutex);
  auto found = TheRegistry().Modules.find(KeyOf(station, module));
  return found == TheRegistry().Modules.end() ? nullptr : found->second.get();
}

SimModule* MakeSimModule(const SimModuleConfig& config) noexcept {
  if (SimModule* existing = FindSimModule(config.Station, config.ModuleId))
    return existing;
  try {
    auto made = std::make_unique<SimModule>(config);
    SimModule* module = made.get();
    const std::lock_guard<std::mutex> lock(TheRegistry().ModulesMutex);
    TheRegistry().Modules[KeyOf(config.Station, config.ModuleId)] = std::move(made);
    return module;
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

BOOL KeepFrontend(CFeModule* frontend, SimModule* module) noexcept {
  try {
    TheRegistry().Frontends[frontend] = frontend;
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  module->NoteFrontendMade();
  ++TheRegistry().LiveFrontends;
  return TRUE;
}

bool NoteFrontendEnded() noexcept { return --TheRegistry().LiveFrontends <= 0; }

bool ForgetFrontend(const CFRONTEND* frontend) noexcept { return TheRegistry().Frontends.erase(frontend) == 1; }

bool IsKeptFrontend(const CFRONTEND* frontend) noexcept { return TheRegistry().Frontends.count(frontend) == 1; }

int NextDestroyOrder() noexcept { return ++TheRegistry().Destroys; }

void ResetModules() noexcept {
  TheRegistry().EndFrontends();
  const std::lock_guard<std::mutex> lock(TheRegistry().ModulesMutex);
  TheRegistry().Modules.clear();
  TheRegistry().Destroys = 0;
}

void SimReset() noexcept {
  ResetLive();
  ResetModules();
  ResetManager();
  ResetStations();
  ResetDirectAccess();
  ResetSequence();
}

void SimSetReply(WORD station, WORD module, WORD group, WORD cntlId, WORD type, const void* data,
                 DWORD bytes) noexcept {
  Change(station, module, [&](SimModule& found) { found.SetReply(group, cntlId, type, BytesOf(data, bytes)); });
}

void SimSetHelp(WORD station, WORD module, const char* text) noexcept {
  Change(station, module, [&](SimModule& found) { found.SetHelp(text); });
}

void SimSetSeqInfo(WORD station, WORD module, WORD mode, const void* table, DWORD bytes) noexcept {
  Change(station, module, [&](SimModule& found) { found.SetSeqInfo(mode, BytesOf(table, bytes)); });
}

void SimSetWaveInf(WORD station, WORD module, const std::vector<WAVEINF>& records) noexcept {
  Change(station, module, [&](SimModule& found) { found.SetWaveInf(records); });
}

void SimAddFault(WORD station, WORD module, const SimFault& fault) noexcept {
  Change(station, module, [&](SimModule& found) { found.AddFault(fault); });
}

void SimClearFaults(WORD station, WORD module) noexcept {
  Change(station, module, [](SimModule& found) { found.ClearFaults(); });
}

std::vector<SimQuery> SimQueries(WORD station, WORD module) noexcept {
  const SimModule* found = FindSimModule(station, module);
  try {
    return found == nullptr ? std::vector<SimQuery>() : found->Queries();
  } catch (const std::bad_alloc&) {
    return {};
  }
}

int SimDestroyCalls(WORD station, WORD module) noexcept {
  const SimModule* found = FindSimModule(station, module);
  return found == nullptr ? 0 : found->GetDestroyCalls();
}

int SimDestroyOrder(WORD station, WORD module) noexcept {
  const SimModule* found = FindSimModule(station, module);
  return found == nullptr ? 0 : found->GetDestroyOrder();
}

int SimLiveFrontends(WORD station, WORD module) noexcept {
  const SimModule* found = FindSimModule(station, module);
  return found == nullptr ? 0 : found->GetLiveFrontends();
}

const _ModulePacket* SimHeldReply(WORD station, WORD module) noexcept {
  const SimModule* found = FindSimModule(station, module);
  return found == nullptr ? nullptr : found->HeldReply();
}
