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
  uint32_t Capacity;
  int32_t Status;
  /// What the buffer holds afterwards, up to the capacity and one marker byte beyond.
  std::string Held;
};

// "Bravo" needs 6 bytes with its zero.
const CapacityRow TextRows[] = {
    {"roomy", 9, ZDZ_OK, std::string("Bravo\0", 6) + "ZZZZ"},
    {"exact fit", 6, ZDZ_OK, std::string("Bravo\0", 6) + "Z"},
    {"one short", 5, ZDZ_E_BUFFER_TOO_SMALL, std::string("Brav\0", 5) + "Z"},
    {"room for the zero alone", 1, ZDZ_E_BUFFER_TOO_SMALL, std::string("\0", 1) + "Z"},
    {"zero capacity", 0, ZDZ_E_BUFFER_TOO_SMALL, "Z"},
};

TEST_F(CallerBuffersTest, TextIsCutAndTerminatedAtTheCapacityWithTheSizeNeeded) {
  for (const CapacityRow& row : TextRows) {
    SCOPED_TRACE(row.Name);
    char buffer[16];
    std::memset(buffer, Marker, sizeof buffer);
    uint32_t size = 0;
    EXPECT_EQ(zdz_gui_get_station_name(2, buffer, row.Capacity, &size), row.Status);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(std::string(buffer, row.Held.size()), row.Held);
  }
}

TEST_F(CallerBuffersTest, ANullBufferAsksForTheSize) {
  uint32_t size = 0;
  EXPECT_EQ(zdz_gui_get_station_name(2, nullptr, 0, &size), ZDZ_OK);
  EXPECT_EQ(size, 6u);
  EXPECT_EQ(zdz_gui_get_station_name(2, nullptr, 6, &size), ZDZ_E_ARGUMENT);
  EXPECT_EQ(zdz_gui_get_station_name(2, nullptr, 0, nullptr), ZDZ_E_ARGUMENT);
}

TEST_F(CallerBuffersTest, BytesAreCutAtTheCapacityWithoutATerminator) {
  const BYTE table[] = {1, 2, 3, 4, 5};
  SimSetSeqInfo(2, 4, 1, table, sizeof table);
  const CapacityRow rows[] = {
      {"roomy", 8, ZDZ_OK, std::string("\1\2\3\4\5ZZZ", 8)},
      {"exact fit", 5, ZDZ_OK, std::string("\1\2\3\4\5Z", 6)},
      {"one short", 4, ZDZ_E_BUFFER_TOO_SMALL, std::string("\1\2\3\4Z", 5)},
      {"zero capacity", 0, ZDZ_E_BUFFER_TOO_SMALL, "Z"},
  };
  for (const CapacityRow& row : rows) {
    SCOPED_TRACE(row.Name);
    char buffer[16];
    std::memset(buffer, Marker, sizeof buffer);
    uint32_t size = 0;
    EXPECT_EQ(zdz_get_seq_table(2, 4, buffer, row.Capacity, &size), row.Status);
    EXPECT_EQ(size, 5u);
    EXPECT_EQ(std::string(buffer, row.Held.size()), row.Held);
  }
  uint32_t size = 0;
  EXPECT_EQ(zdz_get_seq_table(2, 4, nullptr, 0, &size), ZDZ_OK);
  EXPECT_EQ(size, 5u);
}

TEST_F(CallerBuffersTest, TextKeepsEveryByteAsTheLibraryHoldsIt) {
  std::string name;
  for (int byte = 1; byte < 256; ++byte)
    name += static_cast<char>(byte);
  ASSERT_EQ(zdz_add_station(9, name.c_str(), ""), ZDZ_OK);
  EXPECT_EQ(TextOf(Bound(zdz_gui_get_station_name, 9)), name);
}

TEST(StatusTextTest, EveryStatusHasItsOwnText) {
  const int32_t statuses[] = {ZDZ_OK,
                              ZDZ_E_ARGUMENT,
                              ZDZ_E_UNKNOWN,
                              ZDZ_E_HANDLE,
                              ZDZ_E_BUFFER_TOO_SMALL,
                              ZDZ_E_NO_MEMORY,
                              ZDZ_E_NOT_FOUND,
                              ZDZ_E_BUSY,
                              ZDZ_E_REFUSED_NAME,
                              ZDZ_E_FILE_SYSTEM,
                              ZDZ_E_ORDER,
                              ZDZ_E_EXISTS,
                              ZDZ_E_STOPPED,
                              205,
                              207,
                              302,
                              400,
                              502,
                              0xFFFF,
                              0x7001,
                              -99};
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
