// The parts of the simulation and their resets, which SimReset runs in turn.
#ifndef ZODAVUDAZ_SIM_SIMPARTS_H
#define ZODAVUDAZ_SIM_SIMPARTS_H

#include <zodavudaz/packets/CZoThread.h>
#include <zodavudaz/packets/siblings/CFRONTEND.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/sim/SimModule.h>

class CFeModule;

/// The simulated module at (station, module), or null.
SimModule* FindSimModule(WORD station, WORD module) noexcept;
/// The simulated module of config, made when it does not exist; null when it cannot be made.
SimModule* MakeSimModule(const SimModuleConfig& config) noexcept;
/// Keeps frontend alive until it is deleted or SimReset ends it; FALSE when it cannot be kept.
BOOL KeepFrontend(CFeModule* frontend, SimModule* module) noexcept;
/// Forgets frontend; true when it was one that KeepFrontend kept.
bool ForgetFrontend(const CFRONTEND* frontend) noexcept;
bool IsKeptFrontend(const CFRONTEND* frontend) noexcept;
/// The number of the Destroy() call being made among all since SimReset, from 1.
int NextDestroyOrder() noexcept;
/// A kept frontend was destroyed; true when no kept frontend is left undestroyed.
bool NoteFrontendEnded() noexcept;

/// Sets or clears the sequence manager's measurement flag.
void SetMeasEvent(bool measuring) noexcept;

/// The communication manager's sequence thread, which the sequence manager shares.
CZoThread* SimSeqThread() noexcept;

void ResetLive() noexcept;
void ResetModules() noexcept;
void ResetManager() noexcept;
void ResetStations() noexcept;
void ResetDirectAccess() noexcept;
void ResetSequence() noexcept;

#endif
