// A simulated thread of the communication manager that records what is posted to it.
#ifndef ZODAVUDAZ_SIM_SIMTHREAD_H
#define ZODAVUDAZ_SIM_SIMTHREAD_H

#include <zodavudaz/packets/CZoThread.h>
#include <zodavudaz/sim/SimControl.h>

#include <mutex>
#include <vector>

/// Queues posted messages and handles them only when asked, as a real thread does later: then it
/// reads what a message refers to and frees the record it owns. Any thread may post and ask.
class SimThread : public CZoThread {
public:
  /// ownsRecords: messages 0x437 and 0x44A carry an ActOnTrigInfo address and a _SeqMsgParam.
  explicit SimThread(bool ownsRecords) noexcept : OwnsRecords(ownsRecords) {}
  SimThread(const SimThread&) = delete;
  SimThread& operator=(const SimThread&) = delete;
  ~SimThread() override;

  BOOL PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  /// Handles what is queued, then lists every message handled.
  std::vector<SimMessage> Messages() noexcept;
  /// Handles what is queued, then gives the start/stop messages with a record handled since the
  /// last call, once each, for the simulation's sequence thread to act on.
  std::vector<SimMessage> TakeActions() noexcept;
  /// Frees the records of messages never handled and forgets everything.
  void Reset() noexcept;

private:
  bool CarriesRecord(UINT message) const noexcept;
  void Handle(SimMessage& message) noexcept;
  bool HandlePending() noexcept;

  bool OwnsRecords;
  std::mutex Mutex;
  std::vector<SimMessage> Pending;
  std::vector<SimMessage> Handled;
  std::vector<SimMessage> Actions;
};

#endif
