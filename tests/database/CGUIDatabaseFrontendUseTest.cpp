#include "tests/database/SimModuleFixture.h"
#include "tests/support/HeapUse.h"

class FrontendUseTest : public SimModuleFixture {
protected:
  FrontendUseTest() : FrontEnds(FileStation(0)), Station(FileStation(1)) {}

  /// Unfiles and destroys a module record, as an application may once it is done with it.
  void Destroy(CStation& station, WORD slot) {
    CModule* module = nullptr;
    station.ModuleMap.Lookup(slot, module);
    station.ModuleMap.RemoveKey(slot);
    delete module;
  }

  CStation& FrontEnds;
  CStation& Station;
};

TEST_F(FrontendUseTest, SearchesFindTheEntriesThatRegisteredAModule) {
  WORD user = 0;
  EXPECT_EQ(Database.IsUseFrontEnd(1, 3, &user), 0);
  FileModule(FrontEnds, 0x12);
  FileModule(FrontEnds, 0x13);
  Database.RegistFrontendUsedModule(0x12, 1, 3);
  Database.RegistFrontendUsedModule(0x14, 1, 4);
  EXPECT_EQ(Database.IsUseFrontEnd(1, 3), 1);
  EXPECT_EQ(Database.IsUseFrontEnd(1, 4), 0) << "entry 0x14 is not filed";
  EXPECT_EQ(Database.IsUseFrontEnd(0x12, 1, 3), 1);
  EXPECT_EQ(Database.IsUseFrontEnd(0x13, 1, 3), 0);
  EXPECT_EQ(Database.IsUseFrontEnd(1, 3, &user), 1);
  EXPECT_EQ(user, 0x12);
  EXPECT_EQ(Database.IsUseFrontEnd(1, 4, &user), 0);
  EXPECT_EQ(user, 0xFFFF);
  Database.RegistFrontendUsedModule(0x13, 1, 3);
  SimSetSeqRun(0, 0x12, false);
  EXPECT_EQ(Database.IsUseFrontEndAndRun(1, 3), 0);
  SimSetSeqRun(0, 0x13, true);
  EXPECT_EQ(Database.IsUseFrontEndAndRun(1, 3), 1);
}

TEST_F(FrontendUseTest, CoincidingKeysReplaceTheEarlierRecordAndFreeIt) {
  CModule& entry = FileModule(FrontEnds, 0x12);
  auto registerBoth = [&] {
    Database.RegistFrontendUsedModule(0x12, 1, 0x23);
    Database.RegistFrontendUsedModule(0x12, 3, 0x03);
  };
  registerBoth();
  const std::size_t heapBefore = HeapBytesInUse();
  registerBoth();
  EXPECT_EQ(HeapBytesInUse(), heapBefore);
  EXPECT_EQ(entry.UsedModuleMap.GetCount(), 1);
  EXPECT_EQ(Database.IsUseFrontEnd(1, 0x23), 0);
  EXPECT_EQ(Database.IsUseFrontEnd(3, 0x03), 1);
}

TEST_F(FrontendUseTest, StopViewerPostsTheStopFlagOfTheSequenceMode) {
  JoinSlots(Station, 2, 3);
  CModule& module = FileSimModule(Station, 2);
  module.ActOnTrigInfo.TrigValue = 77;
  module.ModuleFlags = 0x82;
  const struct {
    WORD Mode;
    BYTE BackupSetting4;
    DWORD StopFlag;
  } rows[] = {{0, 0xFF, 1}, {1, 0, 0}, {2, 0xFF, 0}, {2, 0, 1}, {3, 0, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Mode * 1000 + row.BackupSetting4);
    SimSetSeqInfo(1, 2, row.Mode, nullptr, 0);
    module.BackupSetting4 = row.BackupSetting4;
    Database.StopViewer(1, 2);
    const SimMessage posted = SimSeqThreadMessages().back();
    EXPECT_EQ(posted.Message, 0x44Au);
    ASSERT_TRUE(posted.HasRecord);
    EXPECT_EQ(posted.Record.StopFlag, row.StopFlag);
    EXPECT_EQ(posted.Record.MsgKind, 0);
    EXPECT_EQ(posted.Record.CntlId, 0x400);
    EXPECT_EQ(posted.Record.StationId, 1);
    EXPECT_EQ(posted.Record.ModuleId, 2);
    EXPECT_EQ(posted.Record.ConnectNum, 2);
    EXPECT_EQ(posted.Record.Param20 | posted.Record.Param28 | posted.Record.StartFlag, 0u);
  }
  Database.StopViewer(1, 2);
  Destroy(Station, 2);
  const SimMessage posted = SimSeqThreadMessages().back();
  ASSERT_TRUE(posted.HasTrigInfo) << "read after the module record is gone";
  EXPECT_EQ(posted.TrigInfo.TrigValue, 77);
  EXPECT_EQ(posted.ModuleFlags, 0x82);
}

TEST_F(FrontendUseTest, StopViewerPostsNothingWithoutASequenceModeAndFreesARefusedRecord) {
  FileSimModule(Station, 2);
  FileModule(Station, 4);
  Database.StopViewer(1, 9);
  Database.StopViewer(1, 4);
  SimFault fault = FaultOn(11, 0x400);
  fault.Result = 0x1234;
  fault.Times = 1;
  SimAddFault(1, 2, fault);
  Database.StopViewer(1, 2);
  EXPECT_TRUE(SimSeqThreadMessages().empty());
  SimRefusePosts(true);
  Database.StopViewer(1, 2);
  const std::size_t heapBefore = HeapBytesInUse();
  Database.StopViewer(1, 2);
  EXPECT_EQ(HeapBytesInUse(), heapBefore);
  EXPECT_TRUE(SimSeqThreadMessages().empty());
}

TEST_F(FrontendUseTest, ExitFrontEndEndsAnExtraModuleAndFreesItsNumber) {
  CModule& base = FileSimModule(Station, 3);
  base.ExtraFrontendNo.SetSize(2);
  base.ExtraFrontendNo[0] = 0;
  base.ExtraFrontendNo[1] = 1;
  CModule& extra = FileSimModule(Station, 0x23);
  extra.ScaleTable = new CHNLINF[2];
  CModule& beyond = FileSimModule(Station, 0x53);
  Database.ExitFrontEnd(1, 0x23);
  Database.ExitFrontEnd(1, 0x53);
  Database.ExitFrontEnd(1, 0x24);
  EXPECT_EQ(SimDestroyCalls(1, 0x23), 1);
  EXPECT_EQ(SimLiveFrontends(1, 0x23), 0);
  EXPECT_EQ(extra.Frontend, nullptr);
  EXPECT_EQ(extra.ScaleTable, nullptr);
  CModule* found = nullptr;
  EXPECT_EQ(Database.GetModuleInf(1, 0x23, &found), 0);
  EXPECT_EQ(base.ExtraFrontendNo[0], 0);
  EXPECT_EQ(base.ExtraFrontendNo[1], 0xFFFF);
  EXPECT_EQ(base.ExtraFrontendNo.GetSize(), 2) << "number 5 lies beyond the array";
  delete &extra;
  delete &beyond;
}

TEST_F(FrontendUseTest, ExitMultiModuleEndsAFrontEndEntryAndFreesItsNumber) {
  CModule& early = FileModule(FrontEnds, 0x31);
  Database.ExitMultiModule(0, 0x31); // before Init: no number to free
  delete &early;
  Database.Init();
  Database.SetFrontendNo();
  Database.SetFrontendNo();
  CModule& entry = FileSimModule(FrontEnds, 0x21);
  Database.RegistFrontendUsedModule(0x21, 1, 3);
  Database.ExitMultiModule(0, 0x21);
  EXPECT_EQ(Database.GetFrontendNo(), 2);
  EXPECT_EQ(entry.UsedModuleMap.GetCount(), 0);
  EXPECT_EQ(entry.Frontend, nullptr);
  EXPECT_EQ(SimDestroyCalls(0, 0x21), 1);
  EXPECT_EQ(Database.IsUseFrontEnd(1, 3), 0);
  const std::vector<SimMessage> posted = SimSeqThreadMessages();
  ASSERT_EQ(posted.size(), 1u) << "the entry's viewer is stopped while it is still filed";
  EXPECT_EQ(posted[0].Record.ModuleId, 0x21);
  delete &entry;
}

TEST_F(FrontendUseTest, AccessAndReleaseNeedTheirStateAndAMultiClientManager) {
  Station.AccessState = 10;
  EXPECT_EQ(Database.IsAccessEnable(1), 0);
  SimSetMultiClient(1);
  EXPECT_EQ(Database.IsAccessEnable(1), 1);
  EXPECT_EQ(Database.IsReleaseEnable(1), 0);
  Station.AccessState = 9;
  EXPECT_EQ(Database.IsReleaseEnable(1), 1);
  EXPECT_EQ(Database.IsAccessEnable(1), 0);
  EXPECT_EQ(Database.IsReleaseEnable(2), 0);
}
