// The C look-ups answer what the C++ calls they wrap answer, over the tests' virtual stations.
#include "tests/c/CInterfaceFixture.h"

#include <cstring>

namespace {
class LookupsAgreementTest : public CInterfaceFixture {};

// The slot facts' answers are python/tests/test_database.py::test_stations_filed_from_python; the
// refusals of slot and module facts are bad input rows.
TEST_F(LookupsAgreementTest, ModuleFactsAnswerAsTheDatabaseForFiledModules) {
  // Facts that differ from module to module.
  CModule* module = nullptr;
  ASSERT_TRUE(Database().GetModuleInf(1, 3, &module));
  module->ModuleFlags = 0x82;
  module->ScalingStatus = 1;
  module->GuiSimpleMode = 7;
  ASSERT_TRUE(Database().GetModuleInf(2, 2, &module));
  module->ScalingStatus = 1; // without the flag that enables scaling
  const std::pair<WORD, WORD> filedModules[] = {{1, 1}, {1, 3}, {2, 2}, {2, 0x12}, {0, 0x10}, {5, 2}, {16, 5}};
  for (const auto& [station, id] : filedModules) {
    SCOPED_TRACE(std::to_string(station) + "/" + std::to_string(id));
    EXPECT_EQ(AnswerOf(zdz_get_acq_channel, station, id), Database().GetAcqChannel(station, id));
    EXPECT_EQ(AnswerOf(zdz_is_save_on_trig_enable, station, id), Database().IsSaveOnTrigEnable(station, id));
    EXPECT_EQ(AnswerOf(zdz_get_gui_simple_mode, station, id), Database().GetGUISimpleMode(station, id));
    EXPECT_EQ(AnswerOf(zdz_is_scaling_enable, station, id), Database().IsScalingEnable(station, id));
    EXPECT_EQ(AnswerOf(zdz_get_scaling_status, station, id), Database().GetScalingStatus(station, id));
  }
}

// What each look-up finds for nothing is a bad input row; a station and a module found by id are
// python/tests/test_database.py's and the record lifetime test's.
TEST_F(LookupsAgreementTest, RecordLookUpsFindWhatTheDatabaseFinds) {
  CStation* bravo = nullptr;
  ASSERT_TRUE(Database().GetStationInf(2, &bravo));
  bravo->ListIndex = 7;
  bravo->TreeItem = reinterpret_cast<HTREEITEM>(0x7000);
  CModule* module = nullptr;
  ASSERT_TRUE(Database().GetModuleInf(16, 5, &module));
  module->TreeItem = reinterpret_cast<HTREEITEM>(0x7100);
  // Echo files a module 2 as well, and comes first in walk order.
  ASSERT_TRUE(Database().GetModuleInf(2, 2, &module));
  module->TreeItem = reinterpret_cast<HTREEITEM>(0x7200);

  // Each look-up's status with the ids it wrote, read once the call is made.
  uint16_t station = 0, moduleId = 0;
  const auto answered = [&](int32_t status) { return std::make_tuple(status, station, moduleId); };
  EXPECT_EQ(answered(zdz_find_station_by_name("Bravo", &station)), std::make_tuple(ZDZ_OK, 2, 0));
  EXPECT_EQ(answered(zdz_find_station_by_list_index(7, &(station = 0))), std::make_tuple(ZDZ_OK, 2, 0));
  EXPECT_EQ(answered(zdz_find_station_by_tree_item(0x7000, &(station = 0))), std::make_tuple(ZDZ_OK, 2, 0));
  EXPECT_EQ(answered(zdz_find_module_by_tree_item(0x7100, &station, &moduleId)), std::make_tuple(ZDZ_OK, 16, 5));
  EXPECT_EQ(answered(zdz_find_module_by_tree_item(0x7200, &station, &moduleId)), std::make_tuple(ZDZ_OK, 2, 2));
  EXPECT_EQ(
      std::make_tuple(AnswerOf(zdz_is_same_station_name, "Bravo", 2), AnswerOf(zdz_is_same_station_name, "Bravo", 1)),
      std::make_tuple(Database().IsSameStationName("Bravo", 2), 1));
}

TEST_F(LookupsAgreementTest, ScalingRecordsAreCopiesOfTheDatabasesWithinTheTableGiven) {
  std::vector<zdz_chnlinf> table(2 * 4);
  for (std::size_t index = 0; index < table.size(); ++index)
    std::memset(table[index].bytes, static_cast<int>(index + 1), sizeof table[index].bytes);
  ASSERT_EQ(zdz_set_module_scaling(1, 1, 1, table.data(), static_cast<uint32_t>(table.size())), ZDZ_OK);
  for (WORD row = 0; row < 2; ++row)
    for (WORD channel = 0; channel < 4; ++channel) {
      CHNLINF* expected = nullptr;
      ASSERT_TRUE(Database().GetChanScaleInfEx(1, 1, channel, row, &expected));
      const zdz_chnlinf record = AnswerOf(zdz_get_chan_scale_inf, 1, 1, channel, row);
      EXPECT_EQ(std::memcmp(record.bytes, expected->Bytes, sizeof record.bytes), 0);
    }
  zdz_chnlinf record{};
  EXPECT_EQ(zdz_get_chan_scale_inf(1, 1, 0, 2, &record), ZDZ_E_ARGUMENT);
  EXPECT_EQ(zdz_get_chan_scale_inf(1, 3, 0, 0, &record), ZDZ_E_NOT_FOUND);
  EXPECT_EQ(zdz_get_chan_scale_inf(1, 2, 0, 0, &record), ZDZ_E_UNKNOWN);
}

/// The keys of map in its walk order.
template <typename ValueT>
std::vector<uint16_t> WalkOrder(const CTypedPtrMap<CMapWordToPtr, WORD, ValueT>& map) {
  std::vector<uint16_t> keys;
  for (POSITION position = map.GetStartPosition(); position != nullptr;) {
    WORD id = 0;
    ValueT value = nullptr;
    map.GetNextAssoc(position, id, value);
    keys.push_back(id);
  }
  return keys;
}

// A module's ids in walk order are the Python package's module order test.
TEST_F(LookupsAgreementTest, IdsComeInTheDatabasesWalkOrder) {
  const std::vector<uint16_t> expected = WalkOrder(Database().StationMap);
  uint16_t ids[16] = {};
  uint32_t count = 0;
  ASSERT_EQ(zdz_get_station_ids(ids, 16, &count), ZDZ_OK);
  EXPECT_EQ(std::vector<uint16_t>(ids, ids + count), expected);
  ASSERT_EQ(zdz_get_station_ids(ids, 2, &count), ZDZ_E_BUFFER_TOO_SMALL);
  EXPECT_EQ(count, expected.size());
  EXPECT_EQ(std::vector<uint16_t>(ids, ids + 2), std::vector<uint16_t>(expected.begin(), expected.begin() + 2));
}
} // namespace
