// The C set-up, record, registry and filter functions change and read what the C++ calls they
// wrap change and read.
#include "tests/TempFiles.h"
#include "tests/c/CInterfaceFixture.h"
#include <zodavudaz/viewer/ViewerPropertyLookup.h>
#include <zodavudaz/viewer/ViewerPropertyText.h>

#include <cstring>

namespace {
class DatabaseAgreementTest : public CInterfaceFixture {};

TEST_F(DatabaseAgreementTest, FrontendNumbersAreTheDatabasesTable) {
  ASSERT_EQ(zdz_init(), ZDZ_OK);
  EXPECT_EQ(AnswerOf(zdz_get_frontend_no), Database().GetFrontendNo());
  ASSERT_EQ(zdz_set_frontend_no(), ZDZ_OK);
  ASSERT_EQ(zdz_set_frontend_no(), ZDZ_OK);
  EXPECT_EQ(AnswerOf(zdz_get_frontend_no), 3);
  ASSERT_EQ(zdz_clear_frontend_no(2), ZDZ_OK);
  EXPECT_EQ(Database().GetFrontendNo(), 2);
  ASSERT_EQ(zdz_set_frontend_no(), ZDZ_OK);
  ASSERT_EQ(zdz_clear_all_frontend_no(), ZDZ_OK);
  Database().SetFrontendNo();
  EXPECT_EQ(AnswerOf(zdz_get_frontend_no), 2);
}

// The paths are the caller buffers' table.
TEST_F(DatabaseAgreementTest, FlagsAndRectangleAreStoredInTheDatabase) {
  using Getter = int (CGUIDatabase::*)() const noexcept;
  const Getter getters[ZDZ_FLAG_COUNT] = {
      &CGUIDatabase::GetGuiAllModule, &CGUIDatabase::GetGuiPower,       &CGUIDatabase::GetViewerHeight,
      &CGUIDatabase::GetViewerWidth,  &CGUIDatabase::GetSystemErrorLog, &CGUIDatabase::GetSystemLanguage,
      &CGUIDatabase::GetParamPower,   &CGUIDatabase::GetOnePanel,       &CGUIDatabase::GetDblClickPanel,
      &CGUIDatabase::GetNonLoad,      &CGUIDatabase::GetNonToolTip,     &CGUIDatabase::GetPowerMsg,
      &CGUIDatabase::GetParamStart,   &CGUIDatabase::GetDefaultSave};
  for (int32_t flag = 0; flag < ZDZ_FLAG_COUNT; ++flag)
    ASSERT_EQ(zdz_set_flag(flag, 1000 + flag), ZDZ_OK);
  for (int32_t flag = 0; flag < ZDZ_FLAG_COUNT; ++flag) {
    SCOPED_TRACE(flag);
    EXPECT_EQ((Database().*getters[flag])(), 1000 + flag);
    EXPECT_EQ(AnswerOf(zdz_get_flag, flag), 1000 + flag);
  }

  const zdz_rect rect{-5, 6, 700, 800};
  ASSERT_EQ(zdz_set_save_on_trig_monitor_rect(&rect), ZDZ_OK);
  EXPECT_TRUE(Database().GetSaveOnTrigMonitorRect() == CRect(-5, 6, 700, 800));
  Database().SetSaveOnTrigMonitorRect(CRect(1, 2, 3, 4));
  const zdz_rect read = AnswerOf(zdz_get_save_on_trig_monitor_rect);
  EXPECT_EQ(std::tie(read.left, read.bottom), std::make_tuple(1, 4));
}

// Names, models, slots, product names and words are python/tests/test_database.py's
// test_stations_filed_from_python and test_stations_and_modules_carry_their_facts.
TEST_F(DatabaseAgreementTest, StationsAndModulesFiledInCAreTheDatabasesRecords) {
  ASSERT_EQ(zdz_add_station(9, "Golf", "RA800-G"), ZDZ_OK);
  ASSERT_EQ(zdz_set_station_list_index(9, 4), ZDZ_OK);
  ASSERT_EQ(zdz_set_station_tree_item(9, 0x44), ZDZ_OK);
  ASSERT_EQ(zdz_set_station_access_state(9, 10), ZDZ_OK);
  CStation* station = nullptr;
  ASSERT_TRUE(Database().GetStationInf(9, &station));
  EXPECT_EQ(std::tie(station->StationId, station->ListIndex, station->TreeItem, station->AccessState),
            std::make_tuple(9, 4, reinterpret_cast<HTREEITEM>(0x44), 10));

  CFeModule* frontend = SimCreateFrontend(SimModuleConfig{9, 3});
  ASSERT_EQ(zdz_add_module(9, 3, "ZO4a21", 0x4A2100, 4, frontend), ZDZ_OK);
  ASSERT_EQ(zdz_set_module_data_cntl_id(9, 3, 0x40D), ZDZ_OK);
  ASSERT_EQ(zdz_set_module_flags(9, 3, 0x82), ZDZ_OK);
  ASSERT_EQ(zdz_set_module_event_id(9, 3, 21), ZDZ_OK);
  ASSERT_EQ(zdz_set_module_tree_item(9, 3, 0x55), ZDZ_OK);
  CModule* module = nullptr;
  ASSERT_TRUE(Database().GetModuleInf(9, 3, &module));
  EXPECT_EQ(std::tie(module->ModuleId, module->ProductWord, module->AcqChannel, module->Frontend, module->DataCntlId,
                     module->ModuleFlags, module->EventId, module->TreeItem),
            std::make_tuple(3, 0x4A2100u, 4, frontend, 0x40D, 0x82, 21u, reinterpret_cast<HTREEITEM>(0x55)));
}

TEST_F(DatabaseAgreementTest, StoredStateIsWhatTheDatabaseLoaded) {
  TempFolder folder;
  const std::string file = folder / "Mardel.tmp";
  WriteAll(file, "[StationBravo]\r\nConfig=a 5,b 6,c 7,d 8,e 9,f 10,g 11,\r\nDatabase=backup text\r\n\r\n"
                 "[StationBravo-Module-9]\r\nWindowPos=0,1,-1,-1,-1,-1,10,20,300,400\r\n\r\n"
                 "[StationBravo-Module2]\r\nWindowPos=0,1,-1,-1,-1,-1,1,2,30,40\r\nConfig=a 3,b 2,c 1,\r\n"
                 "Product=ZO4d02 input\r\nModuleInf=s 1,b 0,c 5,d 6,t 1,t 0,t 1,t 0,v 99,n 3,f 4,t 0,t 1,t 0,dir "
                 "c:\\data\\,run\r\n\r\n");
  EXPECT_EQ(TextOf(Bound(zdz_update_data_base_ex, file.c_str(), 2)), "backup text");
  CStation* station = nullptr;
  ASSERT_TRUE(Database().GetStationInf(2, &station));
  zdz_rect window{};
  int32_t stationConfig[7] = {};
  ASSERT_EQ(zdz_get_station_stored(2, &window, stationConfig), ZDZ_OK);
  EXPECT_EQ(std::tie(window.left, window.bottom), std::make_tuple(station->WindowRect.left, 400));
  EXPECT_EQ(std::vector<int32_t>(stationConfig, stationConfig + 7),
            std::vector<int32_t>(station->StationConfig, station->StationConfig + 7));
  CModule* module = nullptr;
  ASSERT_TRUE(Database().GetModuleInf(2, 2, &module));
  int32_t right = 0, bottom = 0;
  uint8_t backup[4] = {};
  int32_t moduleConfig[3] = {};
  ASSERT_EQ(zdz_get_module_stored(2, 2, &right, &bottom, backup, moduleConfig), ZDZ_OK);
  EXPECT_EQ(std::tie(right, bottom), std::make_tuple(module->WindowRight, 40));
  EXPECT_EQ(std::vector<uint8_t>(backup, backup + 4),
            (std::vector<uint8_t>{module->GuiSimpleMode, module->BackupSetting2, module->BackupSetting3, 6}));
  EXPECT_EQ(module->BackupSetting4, 6);
  EXPECT_EQ(std::vector<int32_t>(moduleConfig, moduleConfig + 3), (std::vector<int32_t>{3, 2, 1}));
  const zdz_act_on_trig_info trig = AnswerOf(zdz_get_module_act_on_trig_info, 2, 2);
  EXPECT_EQ(std::memcmp(&trig, &module->ActOnTrigInfo, sizeof trig), 0);

  ASSERT_EQ(zdz_update_data_base(2), ZDZ_OK);
  EXPECT_EQ(module->WindowRight, 65537);
  module->ActOnTrigInfo.TrigValue = 5;
  ASSERT_EQ(zdz_reset_act_on_trig_database(2), ZDZ_OK);
  EXPECT_EQ(module->ActOnTrigInfo.TrigValue, 1000000);
}

TEST_F(DatabaseAgreementTest, TheRegistryAnswersWhatTheDatabaseAnswers) {
  ASSERT_EQ(zdz_regist_frontend_used_module(0x10, 2, 3), ZDZ_OK);
  EXPECT_EQ(std::make_pair(Database().IsUseFrontEnd(0x10, 2, 3), AnswerOf(zdz_is_use_front_end_and_run, 2, 3)),
            std::make_pair(1, 0));
  SimSetSeqRun(0, 0x10, true);
  int32_t used = -1, unused = -1, usedNoUser = -1;
  uint16_t user = 0, noUser = 0;
  ASSERT_EQ(zdz_is_use_front_end(2, 3, &used, &user), ZDZ_OK);
  ASSERT_EQ(zdz_is_use_front_end(2, 4, &unused, &noUser), ZDZ_OK);
  ASSERT_EQ(zdz_is_use_front_end(2, 3, &usedNoUser, nullptr), ZDZ_OK);
  EXPECT_EQ(std::tie(used, user, unused, noUser, usedNoUser), std::make_tuple(1, 0x10, 0, 0xFFFF, 1));
  EXPECT_EQ(std::make_tuple(AnswerOf(zdz_is_use_front_end_by, 0x10, 2, 3),
                            AnswerOf(zdz_is_use_front_end_by, 0x11, 2, 3),
                            AnswerOf(zdz_is_use_front_end_and_run, 2, 3)),
            std::make_tuple(1, 0, 1));

  ASSERT_EQ(zdz_stop_viewer(2, 3), ZDZ_OK);
  ASSERT_EQ(SimSeqThreadMessages().size(), 1u);
  EXPECT_EQ(SimSeqThreadMessages()[0].Message, 0x44Au);

  SimSetMultiClient(TRUE);
  ASSERT_EQ(zdz_set_station_access_state(2, 10), ZDZ_OK);
  EXPECT_EQ(std::make_tuple(AnswerOf(zdz_is_access_enable, 2), AnswerOf(zdz_is_release_enable, 2)),
            std::make_tuple(1, 0));
}

// Ending a frontend's module, which frees its record and ends its frontend, is the record lifetime
// test's.
TEST_F(DatabaseAgreementTest, EndingAMultiModuleUnfilesIt) {
  ASSERT_EQ(zdz_exit_multi_module(0, 0x10), ZDZ_OK);
  EXPECT_EQ(zdz_find_module(0, 0x10), ZDZ_E_UNKNOWN);
  EXPECT_EQ(zdz_exit_multi_module(0, 0x10), ZDZ_E_UNKNOWN);
}

// Filters by number, reads and clearing are the Python package's filter test.
TEST_F(DatabaseAgreementTest, NamedFiltersAreTheModulesFilters) {
  ASSERT_EQ(zdz_add_named_gui_filter(2, 2, "Gain", 9), ZDZ_OK);
  CGuiFilter* filter = nullptr;
  ASSERT_TRUE(Database().GetGuiFilter(2, 2, CString("Gain"), &filter));
  EXPECT_EQ(filter->FilterValue, 9);
  ASSERT_EQ(zdz_remove_named_gui_filter(2, 2, "Gain"), ZDZ_OK);
  EXPECT_FALSE(Database().GetGuiFilter(2, 2, CString("Gain"), &filter));
}

TEST_F(DatabaseAgreementTest, StoredViewerSettingsAreWhatTheLookUpsFind) {
  ASSERT_EQ(zdz_set_current_path("tools/demo/settings"), ZDZ_OK);
  zdz_viewer* viewer = nullptr;
  ASSERT_EQ(zdz_viewer_lookup(2, 2, &viewer), ZDZ_OK);
  ViewerProperty* record = nullptr;
  ASSERT_EQ(GetViewerPropertyGui(2, 2, &record), 1);
  CString expected;
  ViewerProperty2Ascii(record, expected);
  ReleaseViewerProperty(record);
  EXPECT_EQ(TextOf(Bound(zdz_viewer_to_text, viewer)), TextOf(expected));
  EXPECT_EQ(TextOf(Bound(zdz_viewer_group_to_text, viewer, 0), ZDZ_E_NOT_FOUND), "");
  ASSERT_EQ(zdz_viewer_release(viewer), ZDZ_OK);

  ASSERT_EQ(zdz_viewer_lookup_file(2, 2, "tools/demo/settings/Mardel.ini", &viewer), ZDZ_OK);
  EXPECT_EQ(TextOf(Bound(zdz_viewer_group_to_text, viewer, 0)).substr(0, 14), "Group1 Inputs;");
  ASSERT_EQ(zdz_viewer_release(viewer), ZDZ_OK);

  EXPECT_EQ(zdz_viewer_lookup(2, 4, &viewer), ZDZ_E_NOT_FOUND);
  EXPECT_EQ(viewer, nullptr);
}
} // namespace
