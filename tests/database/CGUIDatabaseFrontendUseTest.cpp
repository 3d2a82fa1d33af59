#include "tests/database/SimModuleFixture.h"

class FrontendUseTest : public SimModuleFixture {
protected:
  FrontendUseTest() : FrontEnds(FileStation(0)), Station(FileStation(1)) {}
  CStation& FrontEnds;
  CStation& Station;
};

// A registration needs a filed entry; the key is station and module, whatever the entry. The leak
// checker finds a replaced record left unreleased.
TEST_F(FrontendUseTest, CoincidingKeysReplaceTheEarlierRecordAndFreeIt) {
  CModule& entry = FileModule(FrontEnds, 0x12);
  Database.RegistFrontendUsedModule(0x14, 1, 4);
  EXPECT_EQ(Database.IsUseFrontEnd(1, 4), 0) << "entry 0x14 is not filed";
  Database.RegistFrontendUsedModule(0x12, 1, 0x23);
  Database.RegistFrontendUsedModule(0x12, 3, 0x03);
  EXPECT_EQ(entry.UsedModuleMap.GetCount(), 1);
  EXPECT_EQ(std::make_tuple(Database.IsUseFrontEnd(1, 0x23), Database.IsUseFrontEnd(3, 0x03),
                            Database.IsUseFrontEndAndRun(3, 0x03)),
            std::make_tuple(0, 1, 0));
}

TEST_F(FrontendUseTest, StopViewerPostsTheStopFlagOfTheSequenceModeAndACopyOfTheTrigInfo) {
  JoinSlots(Station, 2, 3);
  CModule* module = &FileSimModule(Station, {0, 2});
  module->ActOnTrigInfo.TrigValue = 77;
  module->ModuleFlags = 0x82;
  const struct {
    WORD Mode;
    BYTE BackupSetting4;
    DWORD StopFlag;
  } rows[] = {{0, 0xFF, 1}, {1, 0, 0}, {2, 0xFF, 0}, {2, 0, 1}, {3, 0, 0}};
  for (const auto& row : rows) {
    SimSetSeqInfo(1, 2, row.Mode, nullptr, 0);
    module->BackupSetting4 = row.BackupSetting4;
    Database.StopViewer(1, 2);
  }
  Station.ModuleMap.RemoveKey(2);
  delete module; // the messages are read only now
  const std::vector<SimMessage> posted = SimSeqThreadMessages();
  ASSERT_EQ(posted.size(), std::size(rows));
  for (std::size_t index = 0; index < posted.size(); ++index) {
    const _SeqMsgParam& record = posted[index].Record;
    EXPECT_EQ(std::make_tuple(posted[index].Message, record.StopFlag, record.MsgKind, record.CntlId, record.StationId,
                              record.ModuleId, record.ConnectNum, record.Param20 | record.Param28 | record.StartFlag),
              std::make_tuple(0x44Au, rows[index].StopFlag, 0, 0x400, 1, 2, 2, 0u));
    EXPECT_EQ(std::make_tuple(posted[index].TrigInfo.TrigValue, posted[index].ModuleFlags), std::make_tuple(77, 0x82));
  }
}

TEST_F(FrontendUseTest, StopViewerPostsNothingWithoutASequenceModeAndFreesARefusedRecord) {
  FileSimModule(Station, {0, 2});
  FileModule(Station, 4);
  Database.StopViewer(1, 9);
  Database.StopViewer(1, 4);
  SimAddFault(1, 2, {.Group = 11, .Times = 1, .Result = 0x1234});
  Database.StopViewer(1, 2);
  SimRefusePosts(true);
  Database.StopViewer(1, 2); // the leak checker finds a refused record left unreleased
  EXPECT_TRUE(SimSeqThreadMessages().empty());
}

TEST_F(FrontendUseTest, ExitFrontEndEndsAnExtraModuleAndFreesItsNumber) {
  CModule& base = FileModule(Station, 3);
  base.ExtraFrontendNo.SetSize(2);
  base.ExtraFrontendNo[0] = 0;
  base.ExtraFrontendNo[1] = 1;
  CModule& extra = FileSimModule(Station, {0, 0x23});
  extra.ScaleTable = new CHNLINF[2];
  CModule& beyond = FileModule(Station, 0x53); // number 5 lies beyond the array of 2
  Database.ExitFrontEnd(1, 0x23);
  Database.ExitFrontEnd(1, 0x53);
  EXPECT_EQ(std::make_tuple(SimDestroyCalls(1, 0x23), SimLiveFrontends(1, 0x23), extra.Frontend, extra.ScaleTable),
            std::make_tuple(1, 0, nullptr, nullptr));
  EXPECT_EQ(Station.ModuleMap.GetCount(), 1);
  EXPECT_EQ(std::make_tuple(base.ExtraFrontendNo[0], base.ExtraFrontendNo[1]), std::make_tuple(WORD{0}, WORD{0xFFFF}));
  delete &extra;
  delete &beyond;
}

// Numbers 1 to 15 exist only after Init; taking a sixteenth and clearing one outside the table
// change nothing. Ending a front-end entry frees the number in bits 4 to 7 of its id.
TEST_F(FrontendUseTest, FrontendNumbersAreOneToFifteenAfterInitAndEndingAnEntryFreesItsOwn) {
  CModule& early = FileModule(FrontEnds, 0x31);
  Database.SetFrontendNo();
  Database.ClearFrontendNo();
  Database.ClearFrontendNo(1);
  Database.ExitMultiModule(0, 0x31);
  delete &early;
  EXPECT_EQ(Database.GetFrontendNo(), 0xFFFF) << "before Init";
  Database.Init();
  for (int taken = 0; taken < 16; ++taken)
    Database.SetFrontendNo();
  for (WORD outside : {0, 16, 0xFFFF})
    Database.ClearFrontendNo(outside);
  EXPECT_EQ(Database.GetFrontendNo(), 0xFFFF);
  CModule& entry = FileSimModule(FrontEnds, {0, 0xF1});
  Database.RegistFrontendUsedModule(0xF1, 1, 3);
  Database.ExitMultiModule(0, 0xF1);
  EXPECT_EQ(std::make_tuple(Database.GetFrontendNo(), entry.UsedModuleMap.GetCount(), entry.Frontend,
                            SimDestroyCalls(0, 0xF1), Database.IsUseFrontEnd(1, 3)),
            std::make_tuple(15, 0, nullptr, 1, 0));
  const std::vector<SimMessage> posted = SimSeqThreadMessages();
  ASSERT_EQ(posted.size(), 1u) << "the entry's viewer is stopped while it is still filed";
  EXPECT_EQ(posted[0].Record.ModuleId, 0xF1);
  delete &entry;
}

TEST_F(FrontendUseTest, AccessAndReleaseNeedTheirStateAndAMultiClientManager) {
  // Access state, multi-client manager, station asked, access and release answers.
  const std::tuple<LONG, BOOL, WORD, int, int> rows[] = {{10, 0, 1, 0, 0}, {10, 1, 1, 1, 0}, {9, 1, 1, 0, 1},
                                                         {9, 0, 1, 0, 0},  {10, 1, 2, 0, 0}, {7, 1, 1, 0, 0}};
  for (const auto& [state, multiClient, asked, access, release] : rows) {
    Station.AccessState = state;
    SimSetMultiClient(multiClient);
    EXPECT_EQ(std::make_pair(Database.IsAccessEnable(asked), Database.IsReleaseEnable(asked)),
              std::make_pair(access, release))
        << state << " " << multiClient << " " << asked;
  }
}
