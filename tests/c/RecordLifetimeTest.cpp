// What the C interface makes for its callers lives as long as it says: stations until zdz_exit or
// removal, modules until the database ends them, virtual stations until released after zdz_exit,
// handles until released; nothing is lost (the sanitizer build's leak check finds what is) or freed twice.
#include "tests/c/CInterfaceFixture.h"

#include <cstring>

namespace {
class RecordLifetimeTest : public testing::Test {
protected:
  RecordLifetimeTest() { SimReset(); }
  ~RecordLifetimeTest() override {
    zdz_exit();
    zdz_sim_release_virtual_stations();
    SimReset();
  }
};

TEST_F(RecordLifetimeTest, ExitFreesEveryStationAndModuleFiledInC) {
  // Two stations with modules, one of them station 0 with a module that Exit leaves alone.
  ASSERT_EQ(zdz_add_station(3, "Three", "RA800"), ZDZ_OK);
  ASSERT_EQ(zdz_add_module(3, 1, "ZO1", 0x100, 2, nullptr), ZDZ_OK);
  const zdz_chnlinf table[2] = {};
  ASSERT_EQ(zdz_set_module_scaling(3, 1, 1, table, 2), ZDZ_OK);
  ASSERT_EQ(zdz_add_gui_filter(3, 1, 5, 6), ZDZ_OK);
  ASSERT_EQ(zdz_add_station(0, "FrontEnds", ""), ZDZ_OK);
  ASSERT_EQ(zdz_add_module(0, 0x03, "ZO1", 0x100, 0, nullptr), ZDZ_OK);
  ASSERT_EQ(zdz_add_module(0, 0x10, "ZO1", 0x100, 0, nullptr), ZDZ_OK);
  ASSERT_EQ(zdz_regist_frontend_used_module(0x03, 3, 1), ZDZ_OK);
  ASSERT_EQ(zdz_exit(), ZDZ_OK);
  EXPECT_EQ(zdz_find_station(3), ZDZ_E_UNKNOWN);
  EXPECT_EQ(zdz_find_station(0), ZDZ_E_UNKNOWN);
  EXPECT_EQ(zdz_exit(), ZDZ_OK);
}

TEST_F(RecordLifetimeTest, RemovingFreesAStationOnceItsModulesAreEnded) {
  ASSERT_EQ(zdz_add_station(3, "Three", "RA800"), ZDZ_OK);
  CFeModule* frontend = SimCreateFrontend(SimModuleConfig{3, 1});
  ASSERT_EQ(zdz_add_module(3, 1, "ZO1", 0x100, 2, frontend), ZDZ_OK);
  const zdz_chnlinf table[2] = {};
  ASSERT_EQ(zdz_set_module_scaling(3, 1, 1, table, 2), ZDZ_OK);
  EXPECT_EQ(zdz_remove_station(3), ZDZ_E_ORDER);
  ASSERT_EQ(zdz_exit_front_end(3, 1), ZDZ_OK);
  EXPECT_EQ(SimLiveFrontends(3, 1), 0);
  ASSERT_EQ(zdz_remove_station(3), ZDZ_OK);
  EXPECT_EQ(zdz_remove_station(3), ZDZ_E_UNKNOWN);
}

// A release before zdz_exit, and what a second load's message names, are python/tests/test_errors.py's
// rows.
TEST_F(RecordLifetimeTest, VirtualStationsAreReleasedOnlyAfterExit) {
  char message[256] = {};
  uint32_t size = 0;
  ASSERT_EQ(zdz_sim_load_virtual_stations(TestStations, message, sizeof message, &size), ZDZ_OK);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(zdz_find_module(5, 2), ZDZ_OK);
  EXPECT_EQ(zdz_sim_load_virtual_stations(TestStations, message, sizeof message, &size), ZDZ_E_ARGUMENT);
  EXPECT_EQ(size, std::strlen(message) + 1);
  // One whose modules ended may be removed; the rest are still filed.
  ASSERT_EQ(zdz_exit_front_end(16, 5), ZDZ_OK);
  ASSERT_EQ(zdz_remove_station(16), ZDZ_OK);
  EXPECT_EQ(zdz_sim_release_virtual_stations(), ZDZ_E_ORDER);
  ASSERT_EQ(zdz_exit(), ZDZ_OK);
  EXPECT_EQ(zdz_sim_release_virtual_stations(), ZDZ_OK);
  EXPECT_EQ(zdz_sim_release_virtual_stations(), ZDZ_OK);
  // The same ids again: the released stations are gone from the database.
  ASSERT_EQ(zdz_sim_load_virtual_stations(TestStations, nullptr, 0, nullptr), ZDZ_OK);
}

TEST_F(RecordLifetimeTest, AFailedLoadTellsWhyAndFilesNothing) {
  char message[16];
  uint32_t size = 0;
  EXPECT_EQ(zdz_sim_load_virtual_stations("no/such/file.ini", message, sizeof message, &size), ZDZ_E_ARGUMENT);
  EXPECT_EQ(std::strlen(message), 15u);
  EXPECT_GT(size, 16u);
  uint32_t count = 1;
  ASSERT_EQ(zdz_get_station_ids(nullptr, 0, &count), ZDZ_OK);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(zdz_sim_release_virtual_stations(), ZDZ_OK);
}

// Calls with a released handle are the bad input test's rows; a second release of an
// interpreter is the interpreter's test.
TEST_F(RecordLifetimeTest, HandlesAreRefusedOnceReleasedAndAcrossKinds) {
  zdz_viewer* viewer = nullptr;
  ASSERT_EQ(zdz_viewer_create(2, &viewer), ZDZ_OK);
  zdz_interpreter* interpreter = nullptr;
  ASSERT_EQ(zdz_interpreter_create(nullptr, 0, nullptr, &interpreter), ZDZ_OK);
  uint8_t packet[32] = {};
  EXPECT_EQ(zdz_interpret(reinterpret_cast<zdz_interpreter*>(viewer), packet, 32), ZDZ_E_HANDLE);
  EXPECT_EQ(zdz_viewer_release(reinterpret_cast<zdz_viewer*>(interpreter)), ZDZ_E_HANDLE);
  EXPECT_EQ(zdz_viewer_release(viewer), ZDZ_OK);
  EXPECT_EQ(zdz_viewer_release(viewer), ZDZ_E_HANDLE);
  // A handle made later never takes a released one's value.
  zdz_viewer* later = nullptr;
  ASSERT_EQ(zdz_viewer_create(2, &later), ZDZ_OK);
  EXPECT_NE(later, viewer);
  EXPECT_EQ(zdz_viewer_release(later), ZDZ_OK);
  EXPECT_EQ(zdz_interpreter_release(interpreter), ZDZ_OK);
}
} // namespace
