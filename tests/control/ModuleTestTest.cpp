#include "control/ModuleTest.h"

#include "packets/siblings/CommunicationLibrary.h"
#include "tests/control/ControlFixture.h"

#include <algorithm>
#include <vector>

namespace {
class ModuleTestTest : public ControlFixture {
protected:
  CRplySync& ThreadSync() { return *GetSyncInfo(MoGetThread()); }
  std::vector<WORD> Run(WORD slot, WORD item, WORD expectedResult) {
    std::vector<WORD> results(ModuleTestResultWords, 0xAAAA);
    EXPECT_EQ(ZocExecModuleTest(1, slot, item, results.data()), expectedResult);
    return results;
  }
};

constexpr WORD Mask = 0x8005;

TEST_F(ModuleTestTest, ReadsTheResultWordsTheMaskMarksAndRestoresTheReplyRecord) {
  FileModule(3);
  SimSetReply(1, 3, 10, 0x407, 0x10, &Mask, 2);
  const std::vector<WORD> results = Run(3, ModuleTestAllItems, 0);
  const std::vector<SimQuery> queries = SimQueries(1, 3);
  ASSERT_EQ(queries.size(), 5u) << "execution, mask, three result words";
  EXPECT_EQ(queries[0].Group, 0);
  EXPECT_EQ(queries[0].Cntl, 0x407);
  EXPECT_EQ(queries[0].Option, 4);
  EXPECT_EQ(queries[1].Group, 10);
  EXPECT_EQ(queries[1].Capacity, 2u);
  EXPECT_EQ(queries[1].SyncTimeOut, 0xFFFFFFFFu);
  EXPECT_EQ(queries[1].SyncErrMsgMode, 0);
  const BYTE items[] = {0, 2, 15};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(queries[2 + i].In, std::vector<BYTE>{items[i]});
    EXPECT_FALSE(queries[2 + i].ViaFrontend);
  }
  for (int word = 0; word < ModuleTestResultWords; ++word) {
    const bool marked = word == 0 || word == 1 || word == 3 || word == 16;
    EXPECT_EQ(results[word], marked ? Mask : 0) << word;
  }
  EXPECT_EQ(SimTimeOutOf(ThreadSync()), CRplySync::DefaultTimeOut);
  EXPECT_EQ(SimErrMsgModeOf(ThreadSync()), 1);
}

TEST_F(ModuleTestTest, FailuresLeaveZeroResultsAndSkipTheLaterSteps) {
  struct Case {
    const char* Name;
    WORD Group;
    size_t Queries;
    bool Restored;
  };
  const Case cases[] = {{"execution fails", 0, 1, false}, {"mask query fails", 10, 2, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TearDown();
    SetUp();
    FileModule(3);
    SimSetReply(1, 3, 10, 0x407, 0x10, &Mask, 2);
    SimFault fault;
    fault.Group = c.Group;
    fault.Result = 0x55;
    SimAddFault(1, 3, fault);
    ThreadSync().SetTimeOut(1234);
    const std::vector<WORD> results = Run(3, ModuleTestAllItems, 0x55);
    EXPECT_EQ(SimQueries(1, 3).size(), c.Queries);
    EXPECT_TRUE(std::all_of(results.begin(), results.end(), [](WORD word) { return word == 0; }));
    EXPECT_EQ(SimTimeOutOf(ThreadSync()), c.Restored ? CRplySync::DefaultTimeOut : 1234u);
  }
}

TEST_F(ModuleTestTest, SlotsPickTheGroupMasterOrAreRefused) {
  Station.ConnectStatus[2] = 1; // slots 2 and 3 form a group
  FileModule(0);
  FileModule(2);
  struct Case {
    WORD Slot;
    WORD Item;
    WORD Result;
    WORD QueriedSlot;
    WORD Cntl;
  };
  const Case cases[] = {
      {3, 7, 0, 2, static_cast<WORD>(0x407 + GetChCntlIdOfst(1))},
      {2, ModuleTestAllItems, 0, 2, static_cast<WORD>(0x407 + GetChCntlIdOfst(0))},
      {0, ModuleTestAllItems, 0, 0, static_cast<WORD>(0x407 + GetChCntlIdOfst(0))},
      {9, ModuleTestAllItems, ModuleTestBadSlot, 0, 0},
      {0xFE, ModuleTestAllItems, ModuleTestBadSlot, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Slot);
    const size_t boxesBefore = SimErrorBoxes().size();
    const size_t queriesBefore = SimQueries(1, c.QueriedSlot).size();
    Run(c.Slot, c.Item, c.Result);
    const std::vector<SimErrorBox> boxes = SimErrorBoxes();
    const std::vector<SimQuery> queries = SimQueries(1, c.QueriedSlot);
    if (c.Result == ModuleTestBadSlot) {
      ASSERT_EQ(boxes.size(), boxesBefore + 1);
      EXPECT_EQ(boxes.back().MessageNo, 47u);
      EXPECT_EQ(queries.size(), queriesBefore);
      continue;
    }
    EXPECT_EQ(boxes.size(), boxesBefore);
    ASSERT_GT(queries.size(), queriesBefore);
    EXPECT_EQ(queries[queriesBefore].Cntl, c.Cntl);
    EXPECT_EQ(queries[queriesBefore].In, c.Item == ModuleTestAllItems ? std::vector<BYTE>{} : std::vector<BYTE>{7});
  }
  EXPECT_EQ(ZocExecModuleTest(1, 2, ModuleTestAllItems, nullptr), 0xFFFF);
}
} // namespace
