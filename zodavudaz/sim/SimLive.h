// The simulation's thread: the sequences that the start and stop buttons run, the acquisitions
// they complete, and their announcements.
#ifndef ZODAVUDAZ_SIM_SIMLIVE_H
#define ZODAVUDAZ_SIM_SIMLIVE_H

#include <zodavudaz/sim/SimControl.h>

#include <cstdint>

/// What a module answers from its latest acquisition, read at one moment.
struct SimLiveView {
  /// The module acquires (not Still).
  bool Live = false;
  DWORD Number = 0;
  DWORD TimeStamp = 0;
  /// Signal point of the acquisition's first point: (Number - 1) x PointNum, 0 before the first.
  std::uint64_t FirstPoint = 0;
  /// Signal point that the present moment maps to.
  std::uint64_t CurrentPoint = 0;
};

/// The sequence thread has a start or stop message: starts the thread if needed and wakes it.
void SimLiveWake() noexcept;
SimLiveView SimLiveViewOf(const SimModuleConfig& config) noexcept;
/// True on the simulation's thread (the sequence manager's), inside a receiver or not.
bool SimOnLiveThread() noexcept;
/// Nonzero while the sequence of (station, id) runs.
bool SimLiveRuns(WORD station, WORD id) noexcept;
/// Stops the module's sequence: its frontend was destroyed.
void SimLiveStop(WORD station, WORD module) noexcept;
/// Ends the thread: no receiver is called afterwards, but one running may still run until it
/// returns; wait: and waits for it to return, unless called from inside it. Only a caller that
/// holds no lock a receiver may take may wait.
void SimLiveEnd(bool wait) noexcept;
/// Ends the thread and forgets sequences, acquisitions and receivers.
void ResetLive() noexcept;

#endif
