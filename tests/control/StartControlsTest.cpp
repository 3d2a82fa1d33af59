#include "control/StartControls.h"

#include "tests/control/ControlFixture.h"
#include "tests/support/HeapUse.h"

namespace {
using StartControlsTest = ControlFixture;

TEST_F(StartControlsTest, ButtonsPostTheModulesBlockAndAStartOrStopRecord) {
  CModule& module = FileModule(2);
  module.ActOnTrigInfo.FileNum = 12;
  module.ModuleFlags = 0x81;
  struct Case {
    const char* Name;
    WORD (*Button)(WORD, WORD);
    DWORD StartFlag;
  };
  const Case cases[] = {{"start", ZocStartButton, 1}, {"stop", ZocStopButton, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const size_t before = SimSeqThreadMessages().size();
    EXPECT_EQ(c.Button(1, 2), 0);
    const std::vector<SimMessage> messages = SimSeqThreadMessages();
    ASSERT_EQ(messages.size(), before + 1);
    const SimMessage& message = messages.back();
    EXPECT_EQ(message.Message, 0x437u);
    ASSERT_TRUE(message.HasRecord && message.HasTrigInfo);
    EXPECT_EQ(message.Record.MsgKind, 2);
    EXPECT_EQ(message.Record.StartFlag, c.StartFlag);
    EXPECT_EQ(message.Record.StationId, 1);
    EXPECT_EQ(message.TrigInfo.FileNum, 12);
    EXPECT_EQ(message.ModuleFlags, 0x81);
  }
}

TEST_F(StartControlsTest, WhatIsPostedOutlivesTheModuleRecord) {
  CModule& module = FileModule(2);
  module.ActOnTrigInfo.FileNum = 34;
  ASSERT_EQ(ZocStartButton(1, 2), 0);
  // As Exit does before the thread handles the message.
  Station.ModuleMap.RemoveAll();
  DeleteModule(&module);
  const std::vector<SimMessage> messages = SimSeqThreadMessages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].TrigInfo.FileNum, 34);
}

TEST_F(StartControlsTest, FailuresPostNothingAndKeepNothing) {
  FileModule(2);
  ZocStartButton(1, 2); // the kept block of the module exists from here on
  SimSeqThreadMessages();
  _SeqMsgParam refused = {};
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
      SimSetSeqMsgParam(1, 2, 9, refused);
    const size_t heapBefore = HeapBytesInUse();
    EXPECT_EQ(ZocStartButton(1, c.Slot), 0xFFFF);
    EXPECT_EQ(ZocStopButton(1, c.Slot), 0xFFFF);
    EXPECT_EQ(HeapBytesInUse(), heapBefore);
    SimRefusePosts(false);
    EXPECT_EQ(SimSeqThreadMessages().size(), 1u);
  }
}

TEST_F(StartControlsTest, LedPacksItsValueIntoOneWord) {
  struct Case {
    WORD First;
    WORD Second;
    WORD Third;
    LONG Value;
  };
  const Case cases[] = {{0x0102, 0x0304, 0x0506, 0x06040102},
                        {0xFFFF, 0xFFFF, 0xFFFF, static_cast<LONG>(0xFFFFFFFF)},
                        {0, 0xAB00, 0x00CD, static_cast<LONG>(0xCD000000)}};
  for (const Case& c : cases)
    EXPECT_EQ(ZocUpdateStartLED(c.First, c.Second, c.Third), 0);
  const std::vector<SimMessage> messages = SimGuiThreadMessages();
  ASSERT_EQ(messages.size(), 3u);
  for (size_t i = 0; i < messages.size(); ++i) {
    EXPECT_EQ(messages[i].Message, 0x43Au);
    EXPECT_EQ(messages[i].WParam, 0x400u);
    EXPECT_EQ(messages[i].LParam, cases[i].Value);
  }
  SimRefusePosts(true);
  EXPECT_EQ(ZocUpdateStartLED(1, 2, 3), SimPostRefused);
}
} // namespace
