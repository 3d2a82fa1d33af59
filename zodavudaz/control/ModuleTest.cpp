#include <zodavudaz/control/ModuleTest.h>

#include <zodavudaz/control/ControlRequests.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>

#include <algorithm>
#include <optional>

namespace {
constexpr WORD ModuleTestCntlId = 0x407;
constexpr DWORD BadSlotMessage = 47;
constexpr WORD QueryGroup = 10;
constexpr DWORD ResultWordBytes = 2;
constexpr WORD ByteType = 0;
constexpr WORD NoConnectNo = 0xFFFF;

struct TestTarget {
  WORD ConnectNo;
  WORD MasterSlot;
};

std::optional<TestTarget> TargetOf(WORD station, WORD slot) {
  if (slot == 0 || slot == 0xFF || slot == 0xFFFF)
    return TestTarget{0, slot};
  if (slot < 1 || slot > 8)
    return std::nullopt;
  const WORD connectNo = GetDataBase()->GetConnectNo(station, slot);
  if (connectNo == NoConnectNo || connectNo > slot)
    return std::nullopt;
  return TestTarget{connectNo, static_cast<WORD>(slot - connectNo)};
}

// The test waits for the module as long as it takes, without error boxes; the thread's reply
// record gets its usual time-out and error-message mode back however the test ends.
class UnboundedWait {
public:
  UnboundedWait() noexcept : Sync(GetSyncInfo(MoGetThread())) { Set(0xFFFFFFFF, 0); }
  ~UnboundedWait() { Set(CRplySync::DefaultTimeOut, 1); }
  UnboundedWait(const UnboundedWait&) = delete;
  UnboundedWait& operator=(const UnboundedWait&) = delete;

private:
  void Set(DWORD timeOut, int errMsgMode) noexcept {
    if (Sync == nullptr)
      return;
    Sync->SetTimeOut(timeOut);
    Sync->SetErrMsgMode(errMsgMode);
  }
  CRplySync* Sync;
};

WORD StartTest(WORD station, WORD master, WORD cntl, WORD item) {
  if (item == ModuleTestAllItems)
    return ZocMoteSyncExec(station, master, cntl);
  BYTE itemByte = static_cast<BYTE>(item);
  return ZocMoteSyncExec2(station, master, cntl, &itemByte, ByteType, 1);
}

// The result words whose bits the mask sets; their own results are not looked at.
void ReadResultWords(WORD station, WORD master, WORD cntl, WORD* results) {
  for (BYTE bit = 0; bit < 16; ++bit) {
    if ((results[0] & (1u << bit)) == 0)
      continue;
    BYTE index = bit;
    WORD type = 0;
    DWORD count = 0;
    MoteSetGet(station, master, QueryGroup, cntl, &index, ByteType, 1, results + 1 + bit, ResultWordBytes, &type,
               &count);
  }
}
} // namespace

WORD ZocExecModuleTest(WORD station, WORD slot, WORD item, WORD* results) noexcept {
  if (results == nullptr)
    return ZocNoModule;
  std::fill(results, results + ModuleTestResultWords, WORD{0});
  const std::optional<TestTarget> target = TargetOf(station, slot);
  if (!target) {
    ErrorBox1(BadSlotMessage, 0);
    return ModuleTestBadSlot;
  }
  const WORD cntl = static_cast<WORD>(ModuleTestCntlId + GetChCntlIdOfst(target->ConnectNo));
  const WORD started = StartTest(station, target->MasterSlot, cntl, item);
  if (started != 0)
    return started;
  UnboundedWait wait;
  WORD type = 0;
  DWORD count = 0;
  const WORD result = ZocMoteSettingQuery(station, target->MasterSlot, cntl, results, &type, &count, ResultWordBytes);
  if (result == 0)
    ReadResultWords(station, target->MasterSlot, cntl, results);
  return result;
}
