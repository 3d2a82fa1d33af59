#include <zodavudaz/control/StartControls.h>

#include "tests/control/ControlFixture.h"
#include "tests/support/HeapUse.h"

namespace {
using StartControlsTest = ControlFixture;

TEST_F(StartControlsTest, ButtonsPostACopyOfTheModulesBlockThatOutlivesTheModule) {
  CModule& module = FileModule(2);
  module.ActOnTrigInfo.FileNum = 12;
  module.ModuleFlags = 0x81;
  EXPECT_EQ(ZocStartButton(1, 2), 0);
  EXPECT_EQ(ZocStopButton(1, 2), 0);
  // As Exit does before the thread handles the messages.
  Station.ModuleMap.RemoveAll();
  DeleteModule(&module);
  const std::vector<SimMessage> messages = SimSeqThreadMessages();
  ASSERT_EQ(messages.size(), 2u);
  for (DWORD i = 0; i < 2; ++i) {
    const SimMessage& message = messages[i];
    ASSERT_TRUE(message.Message == 0x437 && message.HasRecord && message.HasTrigInfo);
    EXPECT_EQ(message.Record.MsgKind, 2);
    EXPECT_EQ(message.Record.StartFlag, 1 - i);
    EXPECT_EQ(message.Record.StationId, 1);
    EXPECT_EQ(message.TrigInfo.FileNum, 12);
    EXPECT_EQ(message.ModuleFlags, 0x81);
  }
}

TEST_F(StartControlsTest, FailuresPostNothingAndKeepNothing) {
  FileModule(2);
  ZocStartButton(1, 2); // the kept block of the module exists from here on
  SimSeqThreadMessages();
  struct Case {
    const char* Name;
    WORD Slot;
    bool RefusePost;
    bool RefuseRecord;
  };
  const Case cases[] = {
      {"unknown module", 3, false, false}, {"post refused", 2, true, false}, {"record not filled", 2, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    SimRefusePosts(c.RefusePost);
    if (c.RefuseRecord)
      SimSetSeqMsgParam(1, 2, 9, _SeqMsgParam{});
    const size_t heapBefore = HeapBytesInUse();
    EXPECT_EQ(ZocStartButton(1, c.Slot) & ZocStopButton(1, c.Slot), 0xFFFF);
    EXPECT_EQ(HeapBytesInUse(), heapBefore);
    SimRefusePosts(false);
    EXPECT_EQ(SimSeqThreadMessages().size(), 1u);
  }
}
} // namespace
