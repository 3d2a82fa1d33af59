#include <zodavudaz/control/ModuleTest.h>

#include "tests/control/ControlFixture.h"
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>

#include <vector>

namespace {
constexpr WORD Mask = 0x8005;

class ModuleTestTest : public ControlFixture {
protected:
  // Slots 2 and 3 form a group; the test of either goes to slot 2, which answers Mask.
  void SetUp() override {
    ControlFixture::SetUp();
    Station.ConnectStatus[2] = 1;
    FileModule(0);
    FileModule(2);
    SimSetReply(1, 2, 10, 0x407, 0x10, &Mask, 2);
    const WORD noResults = 0;
    SimSetReply(1, 0, 10, 0x407, 0x10, &noResults, 2);
  }
  CRplySync& ThreadSync() { return *GetSyncInfo(MoGetThread()); }
};

TEST_F(ModuleTestTest, ReadsTheMarkedResultWordsOfTheGroupMasterAndRestoresTheReplyRecord) {
  std::vector<WORD> results(ModuleTestResultWords, 0xAAAA);
  ASSERT_EQ(ZocExecModuleTest(1, 3, 7, results.data()), 0);
  const std::vector<SimQuery> queries = SimQueries(1, 2);
  ASSERT_EQ(queries.size(), 5u) << "execution, mask, three result words";
  EXPECT_TRUE(queries[0].Group == 0 && queries[0].Option == 4 && queries[0].In == std::vector<BYTE>{7});
  EXPECT_EQ(queries[0].Cntl, 0x407 + GetChCntlIdOfst(1));
  EXPECT_TRUE(queries[1].Group == 10 && queries[1].Capacity == 2 && queries[1].SyncTimeOut == 0xFFFFFFFF &&
              queries[1].SyncErrMsgMode == 0);
  EXPECT_EQ((std::vector{queries[2].In, queries[3].In, queries[4].In}),
            (std::vector<std::vector<BYTE>>{{0}, {2}, {15}}));
  for (int word = 0; word < ModuleTestResultWords; ++word)
    EXPECT_EQ(results[word], word == 0 || word == 1 || word == 3 || word == 16 ? Mask : 0) << word;
  EXPECT_TRUE(SimTimeOutOf(ThreadSync()) == 10000 && SimErrMsgModeOf(ThreadSync()) == 1);
}

TEST_F(ModuleTestTest, FailuresAndSlotsOutOfRange) {
  struct Case {
    const char* Name;
    WORD Slot;
    WORD FailingGroup; // SimAny: none
    WORD Result;
    size_t Queries;
    DWORD TimeOutAfter;
  };
  const Case cases[] = {{"execution fails", 3, 0, 0x55, 1, 1234},
                        {"mask query fails", 3, 10, 0x55, 2, 10000},
                        {"slot 0 is its own master", 0, SimAny, 0, 2, 10000},
                        {"slot 9", 9, SimAny, ModuleTestBadSlot, 0, 1234}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const WORD queried = c.Slot == 0 ? 0 : 2;
    const size_t queriesBefore = SimQueries(1, queried).size();
    SimClearFaults(1, 2);
    if (c.FailingGroup != SimAny)
      SimAddFault(1, 2, {.Group = c.FailingGroup, .Result = 0x55});
    ThreadSync().SetTimeOut(1234);
    std::vector<WORD> results(ModuleTestResultWords, 0xAAAA);
    EXPECT_EQ(ZocExecModuleTest(1, c.Slot, ModuleTestAllItems, results.data()), c.Result);
    EXPECT_EQ(SimQueries(1, queried).size() - queriesBefore, c.Queries);
    EXPECT_EQ(results, std::vector<WORD>(ModuleTestResultWords, 0));
    EXPECT_EQ(SimTimeOutOf(ThreadSync()), c.TimeOutAfter);
  }
  ASSERT_EQ(SimErrorBoxes().size(), 1u);
  EXPECT_EQ(SimErrorBoxes()[0].MessageNo, 47u);
  EXPECT_EQ(SimQueries(1, 0)[0].Cntl, 0x407 + GetChCntlIdOfst(0));
}
} // namespace
