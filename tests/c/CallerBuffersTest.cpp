// Text and bytes handed out into callers' buffers: cut and terminated at the capacity, the size
// needed told, a null buffer asking for it, and nothing written past the capacity.
#include "tests/c/CInterfaceFixture.h"

#include <algorithm>
#include <cstring>

namespace {
class CallerBuffersTest : public CInterfaceFixture {};

constexpr char Marker = '\x5A';

struct CapacityRow {
  const char* Name;
  /// Text hands out Bravo's name, which needs 6 bytes with its zero; else the 5-byte table.
  bool Text;
  uint32_t Capacity;
  int32_t Status;
  /// What the buffer holds afterwards, up to the capacity and one marker byte beyond.
  std::string Held;
};

const CapacityRow CapacityRows[] = {
    {"text roomy", true, 9, ZDZ_OK, std::string("Bravo\0", 6) + "ZZZZ"},
    {"text exact fit", true, 6, ZDZ_OK, std::string("Bravo\0", 6) + "Z"},
    {"text one short", true, 5, ZDZ_E_BUFFER_TOO_SMALL, std::string("Brav\0", 5) + "Z"},
    {"text room for the zero alone", true, 1, ZDZ_E_BUFFER_TOO_SMALL, std::string("\0", 1) + "Z"},
    {"text zero capacity", true, 0, ZDZ_E_BUFFER_TOO_SMALL, "Z"},
    {"bytes roomy", false, 8, ZDZ_OK, std::string("\1\2\3\4\5ZZZ", 8)},
    {"bytes exact fit", false, 5, ZDZ_OK, std::string("\1\2\3\4\5Z", 6)},
    {"bytes one short", false, 4, ZDZ_E_BUFFER_TOO_SMALL, std::string("\1\2\3\4Z", 5)},
    {"bytes zero capacity", false, 0, ZDZ_E_BUFFER_TOO_SMALL, "Z"},
};

// Text is terminated within the capacity, bytes are not; both tell the size needed, and a null
// buffer without capacity asks for it.
TEST_F(CallerBuffersTest, OutputIsCutAtTheCapacityWithTheSizeNeeded) {
  const BYTE table[] = {1, 2, 3, 4, 5};
  SimSetSeqInfo(2, 4, 1, table, sizeof table);
  for (const CapacityRow& row : CapacityRows) {
    SCOPED_TRACE(row.Name);
    const TextCall call = row.Text ? Bound(zdz_gui_get_station_name, 2) : Bound(zdz_get_seq_table, 2, 4);
    char buffer[16];
    std::memset(buffer, Marker, sizeof buffer);
    uint32_t size = 0;
    EXPECT_EQ(call(buffer, row.Capacity, &size), row.Status);
    EXPECT_EQ(size, row.Text ? 6u : 5u);
    EXPECT_EQ(std::string(buffer, row.Held.size()), row.Held);
    size = 0;
    EXPECT_EQ(call(nullptr, 0, &size), ZDZ_OK);
    EXPECT_EQ(size, row.Text ? 6u : 5u);
  }
  uint32_t size = 0;
  EXPECT_EQ(zdz_gui_get_station_name(2, nullptr, 6, &size), ZDZ_E_ARGUMENT);
  EXPECT_EQ(zdz_gui_get_station_name(2, nullptr, 0, nullptr), ZDZ_E_ARGUMENT);
}

TEST_F(CallerBuffersTest, TextKeepsEveryByteAsTheLibraryHoldsIt) {
  std::string name;
  for (int byte = 1; byte < 256; ++byte)
    name += static_cast<char>(byte);
  ASSERT_EQ(zdz_add_station(9, name.c_str(), ""), ZDZ_OK);
  EXPECT_EQ(TextOf(Bound(zdz_gui_get_station_name, 9)), name);
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
  int32_t major = -1;
  int32_t minor = -1;
  int32_t patch = -1;
  const char* text = nullptr;
  ASSERT_EQ(zdz_get_version(&major, &minor, &patch, &text), ZDZ_OK);
  int numbers[3] = {};
  EXPECT_STREQ(text, GetZoDavudazVersion(&numbers[0], &numbers[1], &numbers[2]));
  EXPECT_EQ(major, numbers[0]);
  EXPECT_EQ(minor, numbers[1]);
  EXPECT_EQ(patch, numbers[2]);
  EXPECT_EQ(zdz_get_version(nullptr, nullptr, nullptr, nullptr), ZDZ_OK);
}
} // namespace
