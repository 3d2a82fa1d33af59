#include "database/ActOnTrigInfo.h"
#include "packets/siblings/CommunicationLibrary.h"
#include "packets/siblings/SeqMsgParam.h"
#include "packets/siblings/SequenceLibrary.h"
#include "sim/SimControl.h"
#include "tests/sim/LiveAllocations.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

namespace {
class SimCommunicationTest : public testing::Test {
protected:
  void SetUp() override { SimReset(); }
  void TearDown() override { SimReset(); }
};

DWORD AddressOf(const void* record) { return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(record)); }
LONG WordOf(const void* record) { return static_cast<LONG>(AddressOf(record)); }

/// The block the sequence thread reads at wParam: a save-on-trigger record and its flags byte.
struct TrigBlock {
  ActOnTrigInfo Info;
  BYTE Flags;
};
} // namespace

TEST_F(SimCommunicationTest, SequenceThreadReadsAndFreesWhatItOwns) {
  TrigBlock block = {};
  block.Info.FileNum = 10;
  block.Flags = 0x82;
  auto postAndHandle = [&] {
    _SeqMsgParam* record = new _SeqMsgParam;
    record->StopFlag = 1;
    record->Text = "stop";
    ASSERT_EQ(GetMgr()->PostSeqThread(SeqMsgStopViewer, AddressOf(&block), WordOf(record)), PostedOk);
    ASSERT_EQ(GetMgr()->PostSeqThread(0x999, 1, 2), PostedOk);
    const std::vector<SimMessage> messages = SimSeqThreadMessages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_TRUE(messages[0].HasRecord);
    EXPECT_EQ(messages[0].Record.StopFlag, 1u);
    EXPECT_EQ(messages[0].Record.Text, "stop");
    EXPECT_TRUE(messages[0].HasTrigInfo);
    EXPECT_EQ(messages[0].TrigInfo.FileNum, 10);
    EXPECT_EQ(messages[0].ModuleFlags, 0x82);
    EXPECT_FALSE(messages[1].HasRecord);
    EXPECT_EQ(messages[1].LParam, 2);
  };
  const long blocksBefore = LiveAllocations();
  postAndHandle();
  SimReset();
  EXPECT_EQ(LiveAllocations(), blocksBefore);
}

TEST_F(SimCommunicationTest, RefusedPostLeavesTheRecordToThePoster) {
  SimRefusePosts(true);
  _SeqMsgParam* record = new _SeqMsgParam;
  EXPECT_EQ(GetMgr()->PostSeqThread(SeqMsgStartStop, 0, WordOf(record)), SimPostRefused);
  EXPECT_EQ(GetMgr()->PostGUIThread(GuiMsgStartLed, 0x400, 5), SimPostRefused);
  delete record;
  EXPECT_TRUE(SimSeqThreadMessages().empty());
  EXPECT_TRUE(SimGuiThreadMessages().empty());
}

TEST_F(SimCommunicationTest, ResetFreesRecordsNeverHandled) {
  auto postAndReset = [] {
    _SeqMsgParam* record = new _SeqMsgParam;
    record->Text = "never read";
    ASSERT_EQ(GetMgr()->PostSeqThread(SeqMsgStartStop, 0, WordOf(record)), PostedOk);
    ASSERT_EQ(GetMgr()->PostGUIThread(GuiMsgStartLed, 0x400, 0x06040102), PostedOk);
    const std::vector<SimMessage> led = SimGuiThreadMessages();
    ASSERT_EQ(led.size(), 1u);
    EXPECT_EQ(led[0].WParam, 0x400u);
    EXPECT_EQ(led[0].LParam, 0x06040102);
  };
  const long blocksBefore = LiveAllocations();
  postAndReset();
  SimReset();
  EXPECT_EQ(LiveAllocations(), blocksBefore);
}

TEST_F(SimCommunicationTest, DirectAccessReachesTheModuleOfStationAndSlot) {
  SimModuleConfig config;
  config.Station = 3;
  config.ModuleId = 1;
  ASSERT_NE(SimCreateFrontend(config), nullptr);
  BYTE item = 5;
  EXPECT_EQ(MoSyncExec(3, 1, 0x407, &item, 0x00, 1), 0);
  WORD words[4] = {};
  WORD type = 0;
  DWORD count = 0;
  EXPECT_EQ(MoSettingQuery(3, 1, 0x407, words, &type, &count, sizeof words), 0);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(MoteSetGet(3, 1, 10, 0x1407, &item, 0x00, 1, words, 2, &type, &count), 0);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(MoSyncExec(3, 2, 0x407, nullptr, 0xFF, 0), SimNoModule);
  const std::vector<SimQuery> queries = SimQueries(3, 1);
  ASSERT_EQ(queries.size(), 3u);
  EXPECT_FALSE(queries[0].ViaFrontend);
  EXPECT_EQ(queries[2].Capacity, 2u);
}

TEST_F(SimCommunicationTest, EachThreadHasItsReplyRecord) {
  CRplySync* sync = GetSyncInfo(MoGetThread());
  ASSERT_NE(sync, nullptr);
  EXPECT_TRUE(sync->IsValid());
  EXPECT_EQ(SimTimeOutOf(*sync), 10000u);
  EXPECT_EQ(SimErrMsgModeOf(*sync), 1);
  EXPECT_EQ(GetSyncInfo(MoGetThread()), sync);
  EXPECT_NE(sync, GetMgr()->GetRplySync());
  EXPECT_EQ(SetRplySyncForQuery(4, 2, 0x407), sync);
  EXPECT_EQ(sync->GetStationId(), 4);
  EXPECT_EQ(sync->GetCntlId(), 0x407);
  EXPECT_EQ(GetSyncInfo(nullptr), nullptr);
}

TEST_F(SimCommunicationTest, ValuesConvertByTypeCode) {
  struct Row {
    WORD Type;
    BYTE Bytes[8];
    double Value;
  };
  const Row rows[] = {
      {0x01, {0xFF}, 255.0},
      {0x11, {0xFF, 0xFF}, -1.0},
      {0x21, {0x00, 0x00, 0x00, 0x80}, -2147483648.0},
      {0x22, {0x00, 0x00, 0xC0, 0x3F}, 1.5},
      {0x32, {0, 0, 0, 0, 0, 0, 0xF0, 0xBF}, -1.0},
      {0x05, {0xFF, 0xFF}, 0.0},
  };
  for (const Row& row : rows) {
    BYTE value[8];
    std::memcpy(value, row.Bytes, 8);
    EXPECT_EQ(UnionToDouble(row.Type, value), row.Value) << row.Type;
  }
  EXPECT_EQ(GetChCntlIdOfst(3), 0x3000);
}

TEST_F(SimCommunicationTest, SequenceManagerAnswersAsSet) {
  EXPECT_FALSE(ZosGetMgr()->IsSeqRun(0, 0x12));
  SimSetSeqRun(0, 0x12, true);
  EXPECT_TRUE(ZosGetMgr()->IsSeqRun(0, 0x12));

  _SeqMsgParam record;
  ASSERT_EQ(ZosGetMgr()->GetSeqMsgParam(4, 2, &record), 0);
  EXPECT_EQ(record.StationId, 4);
  EXPECT_EQ(record.CntlId, 0x400);
  _SeqMsgParam answer;
  answer.ConnectNum = 3;
  SimSetSeqMsgParam(4, 2, 9, answer);
  EXPECT_EQ(ZosGetMgr()->GetSeqMsgParam(4, 2, &record), 9);
  EXPECT_EQ(record.ConnectNum, 3);
}
