// The simulated frontend library: frontend objects that reach the simulated modules.
#include <zodavudaz/packets/siblings/CFeFrontend.h>
#include <zodavudaz/packets/siblings/CFeModule.h>
#include <zodavudaz/sim/SimControl.h>
#include <zodavudaz/sim/SimLive.h>
#include <zodavudaz/sim/SimParts.h>
#include <zodavudaz/sim/SimRequest.h>

#include <new>

namespace {
constexpr DWORD StateEnded = 1;
constexpr WORD NoDataType = 0xFF;

/// A kept frontend ends: its module's sequence stops, and the simulation's thread with the last.
void EndLive(WORD station, WORD module) noexcept {
  SimLiveStop(station, module);
  // Destroy runs under zdz_exit's lock, which a running receiver may be waiting for.
  if (NoteFrontendEnded())
    SimLiveEnd(false);
}
} // namespace

/// Friend of CFRONTEND: the frontend library's way to its own fields.
struct FrontendLayerAccess {
  static SimTarget TargetOf(CFRONTEND& frontend) noexcept {
    return SimTarget{&frontend, static_cast<SimModule*>(frontend.Module), static_cast<WORD>(frontend.ModuleId)};
  }
};

namespace {
SimCall NoData(WORD group, WORD cntl, CRplySync* sync, WORD option) noexcept {
  return SimCall{group, cntl, nullptr, NoDataType, 0, sync, option};
}
} // namespace

CFeModule* SimCreateFrontend(const SimModuleConfig& config) noexcept {
  SimModule* module = MakeSimModule(config);
  if (module == nullptr)
    return nullptr;
  CFeModule* frontend = new (std::nothrow) CFeModule;
  if (frontend == nullptr)
    return nullptr;
  frontend->Initialize(config.Station, config.ModuleId, 0, nullptr, nullptr);
  if (!KeepFrontend(frontend, module)) {
    delete frontend;
    return nullptr;
  }
  return frontend;
}

// A copy made by this library's member-wise copy shares the module but is not kept.
CFRONTEND::~CFRONTEND() {
  if (!ForgetFrontend(this) || Module == nullptr)
    return;
  static_cast<SimModule*>(Module)->NoteFrontendGone();
  if (State != StateEnded)
    EndLive(static_cast<WORD>(StationId), static_cast<WORD>(ModuleId));
}

WORD CFRONTEND::Query_(_ModulePacket* request, _ModulePacket** reply, CRplySync* sync, WORD option) noexcept {
  SimModule* module = static_cast<SimModule*>(Module);
  if (module == nullptr)
    return SimNoModule;
  return module->Answer(request, reply, sync, option, true, State == StateEnded);
}

int CFRONTEND::Initialize(int station, int module, int argCount, char** args, CFRONTEND* parent) noexcept {
  StationId = station;
  ModuleId = module;
  ArgCount = argCount;
  Args = args;
  Parent = parent;
  Module = FindSimModule(static_cast<WORD>(station), static_cast<WORD>(module));
  State = 0;
  return Module == nullptr ? SimNoModule : 0;
}

// Ending a module's frontend stops its sequence; the simulation's thread ends with the last one.
void CFRONTEND::Destroy() noexcept {
  const bool wasLive = State != StateEnded;
  State = StateEnded;
  if (Module == nullptr)
    return;
  static_cast<SimModule*>(Module)->NoteDestroy(NextDestroyOrder());
  if (wasLive && IsKeptFrontend(this))
    EndLive(static_cast<WORD>(StationId), static_cast<WORD>(ModuleId));
}

WORD CFRONTEND::Query(WORD group, WORD cntl, CRplySync* sync, WORD option) noexcept {
  return SimExchange(FrontendLayerAccess::TargetOf(*this), NoData(group, cntl, sync, option), nullptr);
}

WORD CFRONTEND::Query(WORD group, WORD cntl, void* in, WORD inType, DWORD inCount, CRplySync* sync,
                      WORD option) noexcept {
  return SimExchange(FrontendLayerAccess::TargetOf(*this), SimCall{group, cntl, in, inType, inCount, sync, option},
                     nullptr);
}

WORD CFRONTEND::Query(WORD group, WORD cntl, void* out, WORD* outType, DWORD* outCount, DWORD capacity, CRplySync* sync,
                      WORD option) noexcept {
  return SimExchangeInto(FrontendLayerAccess::TargetOf(*this), NoData(group, cntl, sync, option), out, capacity,
                         outType, outCount);
}

WORD CFeModule::Query_(_ModulePacket* request, _ModulePacket** reply, CRplySync* sync, WORD option) noexcept {
  return CFRONTEND::Query_(request, reply, sync, option);
}

int CFeModule::Initialize(int station, int module, int argCount, char** args, CFRONTEND* parent) noexcept {
  return CFRONTEND::Initialize(station, module, argCount, args, parent);
}

void CFeModule::Destroy() noexcept { CFRONTEND::Destroy(); }

WORD CFeModule::Query(WORD group, WORD cntl, void* in, WORD inType, DWORD inCount, CRplySync* sync,
                      WORD option) noexcept {
  return CFRONTEND::Query(group, cntl, in, inType, inCount, sync, option);
}

WORD CFeModule::Query(WORD group, WORD cntl, void* in, WORD inType, DWORD inCount, _ModulePacket** reply,
                      CRplySync* sync, WORD option) noexcept {
  return SimExchange(FrontendLayerAccess::TargetOf(*this), SimCall{group, cntl, in, inType, inCount, sync, option},
                     reply);
}

WORD CFeModule::Query(WORD group, WORD cntl, void** out, WORD* outType, DWORD* outCount, CRplySync* sync,
                      WORD option) noexcept {
  return SimExchangeForPointer(FrontendLayerAccess::TargetOf(*this), NoData(group, cntl, sync, option), out, outType,
                               outCount);
}

WORD CFeModule::Query(WORD group, WORD cntl, void* in, WORD inType, DWORD inCount, void** out, WORD* outType,
                      DWORD* outCount, CRplySync* sync, WORD option) noexcept {
  return SimExchangeForPointer(FrontendLayerAccess::TargetOf(*this),
                               SimCall{group, cntl, in, inType, inCount, sync, option}, out, outType, outCount);
}

WORD CFeModule::Query(WORD group, WORD cntl, void* in, WORD inType, DWORD inCount, void* buffer, WORD* outType,
                      DWORD* outCount, DWORD capacity, CRplySync* sync, WORD option) noexcept {
  return SimExchangeInto(FrontendLayerAccess::TargetOf(*this), SimCall{group, cntl, in, inType, inCount, sync, option},
                         buffer, capacity, outType, outCount);
}

// A front end's frontend answers only when a simulated module was found for it.
WORD CFeFrontend::Query_(_ModulePacket* request, _ModulePacket** reply, CRplySync* sync, WORD option) noexcept {
  return CFRONTEND::Query_(request, reply, sync, option);
}

int CFeFrontend::Initialize(int station, int module, int argCount, char** args, CFRONTEND* parent) noexcept {
  return CFRONTEND::Initialize(station, module, argCount, args, parent);
}

void CFeFrontend::Destroy() noexcept { CFRONTEND::Destroy(); }
