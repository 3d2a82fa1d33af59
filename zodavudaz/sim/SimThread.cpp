#include <zodavudaz/sim/SimThread.h>

#include <zodavudaz/packets/MessageWords.h>
#include <zodavudaz/packets/siblings/SeqMsgParam.h>

#include <cstring>
#include <new>

SimThread::~SimThread() { Reset(); }

BOOL SimThread::PostThreadMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  SimMessage posted;
  posted.Message = message;
  posted.WParam = wParam;
  posted.LParam = lParam;
  try {
    const std::lock_guard<std::mutex> lock(Mutex);
    Pending.push_back(posted);
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
  return TRUE;
}

bool SimThread::CarriesRecord(UINT message) const noexcept {
  return OwnsRecords && (message == SeqMsgStartStop || message == SeqMsgStopViewer);
}

// Reads the block and the record only now, so that a poster that freed them meanwhile shows up
// under the sanitizers.
void SimThread::Handle(SimMessage& message) noexcept {
  if (!CarriesRecord(message.Message))
    return;
  if (message.WParam != 0) {
    const BYTE* block = WordAddress<const BYTE>(message.WParam);
    std::memcpy(&message.TrigInfo, block, sizeof message.TrigInfo);
    message.ModuleFlags = block[sizeof message.TrigInfo];
    message.HasTrigInfo = true;
  }
  if (message.LParam != 0) {
    _SeqMsgParam* record = WordAddress<_SeqMsgParam>(message.LParam);
    message.Record = *record;
    message.HasRecord = true;
    delete record;
  }
}

// Called with Mutex held.
bool SimThread::HandlePending() noexcept {
  try {
    // Room first, so that no record is freed and then lost with a failed append.
    Handled.reserve(Handled.size() + Pending.size());
    Actions.reserve(Actions.size() + Pending.size());
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (SimMessage& message : Pending) {
    Handle(message);
    Handled.push_back(message);
    if (message.HasRecord && message.Message == SeqMsgStartStop)
      Actions.push_back(message);
  }
  Pending.clear();
  return true;
}

std::vector<SimMessage> SimThread::Messages() noexcept {
  const std::lock_guard<std::mutex> lock(Mutex);
  try {
    return HandlePending() ? Handled : std::vector<SimMessage>();
  } catch (const std::bad_alloc&) {
    return {};
  }
}

std::vector<SimMessage> SimThread::TakeActions() noexcept {
  const std::lock_guard<std::mutex> lock(Mutex);
  HandlePending();
  std::vector<SimMessage> taken;
  taken.swap(Actions);
  return taken;
}

void SimThread::Reset() noexcept {
  const std::lock_guard<std::mutex> lock(Mutex);
  for (const SimMessage& message : Pending)
    if (CarriesRecord(message.Message) && message.LParam != 0)
      delete WordAddress<_SeqMsgParam>(message.LParam);
  std::vector<SimMessage>().swap(Pending);
  std::vector<SimMessage>().swap(Handled);
  std::vector<SimMessage>().swap(Actions);
}
