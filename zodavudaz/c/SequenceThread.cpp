#include <zodavudaz/c/SequenceThread.h>

#include <zodavudaz/c/LastError.h>
#include <zodavudaz/packets/CZosManager.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/packets/siblings/SequenceLibrary.h>
#include <zodavudaz/zodavudaz_c.h>

// The communication library knows each thread by its thread object; on the sequence thread that
// is the one the sequence manager posts to.
int32_t RefuseOnSequenceThread(const char* call) noexcept {
  const CZosManager* manager = ZosGetMgr();
  const CZoThread* sequenceThread = manager == nullptr ? nullptr : manager->GetSeqThread();
  if (sequenceThread == nullptr || MoGetThread() != sequenceThread)
    return ZDZ_OK;
  NoteLastError("%s on the sequence thread (inside a receiver) would end the thread that calls it", call);
  return ZDZ_E_ORDER;
}
