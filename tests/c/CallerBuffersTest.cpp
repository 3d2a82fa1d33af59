// Text and bytes handed out into callers' buffers: cut and terminated at the capacity, the size
// needed told, a null buffer asking for it, and nothing written past the capacity.
#include "tests/c/CInterfaceFixture.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr char Marker = '\x5A';

class CallerBuffersTest : public CInterfaceFixture {
protected:
  CallerBuffersTest() {
    const BYTE table[] = {1, 2, 3, 4, 5};
    SimSetSeqInfo(2, 4, 1, table, sizeof table);
    EXPECT_EQ(zdz_set_current_path("/opt/zo"), ZDZ_OK);
    EXPECT_EQ(zdz_set_multi_module_path("multi"), ZDZ_OK);
    EXPECT_EQ(zdz_viewer_create(2, &Viewer), ZDZ_OK);
  }
  ~CallerBuffersTest() override { zdz_viewer_release(Viewer); }

  zdz_viewer* Viewer = nullptr;
};

/// A C function that hands out text (ended by a zero within the capacity) or bytes.
struct OutputRow {
  const char* Name;
  /// How the text begins; null for bytes.
  const char* Text;
  TextCall Call;
};

std::vector<OutputRow> OutputRows(const zdz_viewer* viewer) {
  static const uint8_t packet[40] = {};
  return {
      {"gui_get_station_name", "Bravo", Bound(zdz_gui_get_station_name, 2)},
      {"gui_get_module_name", "Slot 2 ZO4d02", Bound(zdz_gui_get_module_name, 2, 2)},
      {"get_current_path", "/opt/zo", zdz_get_current_path},
      {"get_multi_module_path", "multi", zdz_get_multi_module_path},
      {"get_station_model", "RA800-B", Bound(zdz_get_station_model, 2)},
      {"get_module_product_name", "ZO4d02", Bound(zdz_get_module_product_name, 2, 2)},
      {"get_product_name", "ZO4d02", Bound(zdz_get_product_name, 2, 2)},
      {"get_product_name_by_code", "ZOabcd", Bound(zdz_get_product_name_by_code, 0x12ABCD)},
      {"zoc_get_unit_str", "OHM", Bound(zdz_zoc_get_unit_str, 0x0300)},
      {"zoc_get_unit_str_ex", "mV/Vx", Bound(zdz_zoc_get_unit_str_ex, 0xFFF1, "mV/V", "x")},
      {"convert_term", "a;;b", Bound(zdz_convert_term, "a\r\nb")},
      {"reverse_term", "a\r\nb", Bound(zdz_reverse_term, "a;;b")},
      {"get_profile_string", "RA800-B", Bound(zdz_get_profile_string, TestStations, "StationBravo", "Model")},
      {"read_profile_file", "; The stations", Bound(zdz_read_profile_file, TestStations)},
      {"profile_sections", "Stations", Bound(zdz_profile_sections, TestStations)},
      {"profile_keys", "Id", Bound(zdz_profile_keys, TestStations, "StationBravo")},
      {"viewer_to_text", "ChannelNumber 0;MathChNum", Bound(zdz_viewer_to_text, viewer)},
      {"viewer_get", "0", Bound(zdz_viewer_get, viewer, "GridType", -1)},
      {"decode_packet", "size", Bound(zdz_decode_packet, packet, 40, ZDZ_PACKET_MODULE)},
      {"get_seq_table", nullptr, Bound(zdz_get_seq_table, 2, 4)},
      {"gui_query", nullptr, Bound(zdz_gui_query, 2, 2, 0x123)},
      {"gui_get_array", nullptr,
       [](auto... out) { return zdz_gui_get_array(2, 2, 0x125, 0, out..., nullptr, nullptr); }},
      {"setting_query_pointer", nullptr,
       [](auto... out) { return zdz_setting_query_pointer(2, 3, 0x300, out..., nullptr, nullptr); }},
      {"help_query_pointer", nullptr,
       [](auto... out) { return zdz_help_query_pointer(1, 3, out..., nullptr, nullptr, nullptr); }},
  };
}

/// What a buffer of capacity holds after a call that hands out whole, with a marker byte beyond.
std::string Held(const std::string& whole, uint32_t capacity, bool text) {
  if (capacity >= whole.size())
    return whole + Marker;
  if (!text)
    return whole.substr(0, capacity) + Marker;
  return capacity == 0 ? std::string(1, Marker) : whole.substr(0, capacity - 1) + '\0' + Marker;
}

// Text is terminated within the capacity, bytes are not; both tell the size needed, a null buffer
// without capacity asks for it, and one with a capacity or a null size is refused. Each text row
// also checks the call's wiring by how its text begins.
TEST_F(CallerBuffersTest, EveryOutputIsCutAtItsCapacityWithTheSizeNeeded) {
  for (const OutputRow& row : OutputRows(Viewer)) {
    SCOPED_TRACE(row.Name);
    uint32_t needed = 0;
    ASSERT_EQ(row.Call(nullptr, 0, &needed), ZDZ_OK);
    ASSERT_GT(needed, 1u);
    std::vector<char> buffer(needed + 8, Marker);
    ASSERT_EQ(row.Call(buffer.data(), needed, &needed), ZDZ_OK);
    const std::string whole(buffer.data(), needed);
    const bool text = row.Text != nullptr;
    EXPECT_TRUE(!text || (whole.rfind(row.Text, 0) == 0 && whole.back() == '\0')) << whole;
    for (const uint32_t capacity : {needed + 8, needed, needed - 1, 1u, 0u}) {
      SCOPED_TRACE(capacity);
      std::fill(buffer.begin(), buffer.end(), Marker);
      uint32_t size = 0;
      EXPECT_EQ(row.Call(buffer.data(), capacity, &size), capacity >= needed ? ZDZ_OK : ZDZ_E_BUFFER_TOO_SMALL);
      EXPECT_EQ(size, needed);
      const std::string held = Held(whole, capacity, text);
      EXPECT_EQ(std::string(buffer.data(), std::min(held.size(), buffer.size())), held);
    }
    uint32_t size = 0;
    EXPECT_EQ(row.Call(nullptr, 1, &size), ZDZ_E_ARGUMENT);
    EXPECT_EQ(row.Call(buffer.data(), needed, nullptr), ZDZ_E_ARGUMENT);
  }
}

TEST(StatusTextTest, EveryStatusHasItsOwnText) {
  std::vector<int32_t> statuses = {205, 207, 302, 400, 502, 0xFFFF, 0x7001, -99};
  for (int32_t status = ZDZ_E_STOPPED; status <= ZDZ_OK; ++status)
    statuses.push_back(status);
  std::vector<std::string> texts;
  for (const int32_t status : statuses) {
    const char* text = zdz_status_text(status);
    ASSERT_NE(text, nullptr) << status;
    EXPECT_GT(std::strlen(text), 3u) << status;
    texts.emplace_back(text);
  }
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(std::unique(texts.begin(), texts.end()), texts.end());
  EXPECT_STREQ(zdz_status_text(302), "no wave information");
  EXPECT_STREQ(zdz_status_text(0x1234), zdz_status_text(0x7001));
  EXPECT_STREQ(zdz_status_text(INT32_MIN), zdz_status_text(-99));
}

TEST(VersionTest, TheVersionIsTheLoadedLibrarys) {
  int32_t got[3] = {-1, -1, -1};
  const char* text = nullptr;
  ASSERT_EQ(zdz_get_version(&got[0], &got[1], &got[2], &text), ZDZ_OK);
  int numbers[3] = {};
  EXPECT_STREQ(text, GetZoDavudazVersion(&numbers[0], &numbers[1], &numbers[2]));
  EXPECT_EQ(std::vector<int>(got, got + 3), std::vector<int>(numbers, numbers + 3));
  EXPECT_EQ(zdz_get_version(nullptr, nullptr, nullptr, nullptr), ZDZ_OK);
}
} // namespace
