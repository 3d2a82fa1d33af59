// Every keyword of a viewer settings record, read and set through the C interface as the text its
// statement carries.
#include "tests/c/CInterfaceFixture.h"
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/viewer/ViewerPropertyText.h>

#include <cstring>
#include <map>

namespace {
constexpr const char* DemoViewers = "tools/demo/settings/Mardel.ini";

/// The Viewer and Group1 lines that the demo stores for Bravo's module 2 (2 channels, 1 group).
class ViewerKeywordsTest : public testing::Test {
protected:
  ViewerKeywordsTest() {
    EXPECT_EQ(GetProfileStringEx(DemoViewers, "StationBravo-Module2", "Viewer", Line), 1);
    EXPECT_EQ(GetProfileStringEx(DemoViewers, "StationBravo-Module2", "Group1", GroupLine), 1);
    EXPECT_EQ(zdz_viewer_from_text(Line, &Viewer), ZDZ_OK);
    EXPECT_EQ(zdz_viewer_group_from_text(Viewer, GroupLine), ZDZ_OK);
  }
  ~ViewerKeywordsTest() override { EXPECT_EQ(zdz_viewer_release(Viewer), ZDZ_OK); }

  std::string Get(const char* keyword, int32_t index = -1, int32_t status = ZDZ_OK) const {
    return TextOf(Bound(zdz_viewer_get, Viewer, keyword, index), status);
  }
  std::string RecordText() const { return TextOf(Bound(zdz_viewer_to_text, Viewer)); }
  std::string GroupText() const { return TextOf(Bound(zdz_viewer_group_to_text, Viewer, 0)); }

  CString Line;
  CString GroupLine;
  zdz_viewer* Viewer = nullptr;
};

/// The statements of a line by keyword, each with its values.
std::map<std::string, std::string> StatementsOf(const std::string& line) {
  std::map<std::string, std::string> statements;
  std::size_t start = 0;
  for (std::size_t end = line.find(';'); end != std::string::npos; start = end + 1, end = line.find(';', start)) {
    const std::string statement = line.substr(start, end - start);
    const std::size_t blank = statement.find(' ');
    statements[statement.substr(0, blank)] = blank == std::string::npos ? "" : statement.substr(blank + 1);
  }
  return statements;
}

// Each keyword's values, against the tool's listing of the demo's lines, are
// python/tests/test_viewer.py::test_keyword_values_are_those_zdz_lists.
TEST_F(ViewerKeywordsTest, KeywordsOutsideTheTextAreNotInTheLine) {
  const std::map<std::string, std::string> statements = StatementsOf(TextOf(Line));
  int inText = 0;
  for (uint32_t position = 0; position < 64; ++position) {
    const char* keyword = nullptr;
    uint32_t flags = 0;
    ASSERT_EQ(zdz_viewer_keyword(position, &keyword, &flags), ZDZ_OK);
    const bool written = (flags & ZDZ_VIEWER_NOT_IN_TEXT) == 0;
    EXPECT_TRUE(written || statements.count(keyword) == 0) << keyword;
    inText += written ? 1 : 0;
  }
  EXPECT_EQ(inText, 57);
}

// A hexadecimal or double keyword listed as decimal fails
// python/tests/test_viewer.py::test_keyword_values_are_those_zdz_lists, which reads every value in its form.
TEST_F(ViewerKeywordsTest, KeywordsAreListedWithTheirIndexingAndForm) {
  // Position, keyword, flags.
  const std::tuple<uint32_t, const char*, uint32_t> rows[] = {
      {0, "ChannelNumber", ZDZ_VIEWER_DECIMAL},
      {35, "Channel", ZDZ_VIEWER_DECIMAL | ZDZ_VIEWER_PER_CHANNEL | ZDZ_VIEWER_NOT_IN_TEXT},
      {42, "MathLabel", ZDZ_VIEWER_TEXT | ZDZ_VIEWER_PER_CHANNEL},
      {63, "ChCopyStatus", ZDZ_VIEWER_DECIMAL},
      {64, "Group", ZDZ_VIEWER_TEXT | ZDZ_VIEWER_PER_GROUP},
      {70, "OtherColor", ZDZ_VIEWER_HEX | ZDZ_VIEWER_PER_GROUP},
  };
  for (const auto& [position, expectedKeyword, expectedFlags] : rows) {
    const char* keyword = nullptr;
    uint32_t flags = 0xFFFF;
    ASSERT_EQ(zdz_viewer_keyword(position, &keyword, &flags), ZDZ_OK);
    EXPECT_STREQ(keyword, expectedKeyword);
    EXPECT_EQ(flags, expectedFlags) << expectedKeyword;
  }
  const char* keyword = "unchanged";
  EXPECT_EQ(zdz_viewer_keyword(ZDZ_VIEWER_KEYWORD_COUNT, &keyword, nullptr), ZDZ_E_UNKNOWN);
  EXPECT_STREQ(keyword, "unchanged");
}

TEST_F(ViewerKeywordsTest, ChannelsAreReadAndSetOneByOne) {
  EXPECT_EQ(Get("MathExp", 1), "C1");
  ASSERT_EQ(zdz_viewer_set(Viewer, "MathExp", 1, "C1+C2"), ZDZ_OK);
  EXPECT_EQ(Get("MathExp"), "C1 C1+C2");
  ASSERT_EQ(zdz_viewer_set(Viewer, "MathLabel", 0, "Left\x0Einput"), ZDZ_OK);
  EXPECT_EQ(Get("MathLabel", 0), "Left\x0Einput");
  EXPECT_EQ(StatementsOf(RecordText()).at("MathLabel"), "Left\x0Einput \x0E");
  EXPECT_EQ(Get("Channel"), "1 1");
  ASSERT_EQ(zdz_viewer_set(Viewer, "Channel", 1, "0"), ZDZ_OK);
  EXPECT_EQ(Get("Channel"), "1 0");
  EXPECT_EQ(zdz_viewer_set(Viewer, "Channel", 2, "0"), ZDZ_E_ARGUMENT);
  EXPECT_EQ(zdz_viewer_set(Viewer, "Channel", 0, "0 1"), ZDZ_E_ARGUMENT);
  EXPECT_EQ(zdz_viewer_set(Viewer, "GridType", 0, "2"), ZDZ_E_ARGUMENT);
}

// A decimal, a list of colours and a text set are python/tests/test_viewer.py::test_attributes_read_and_set_keywords.
TEST_F(ViewerKeywordsTest, ValuesSetAreWhatTheRecordTextThenCarries) {
  // Keyword, values set, values written.
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"XyY", "5 6", "5 6 0 0"},
      {"MeasureItem", "0x1F", "0x1F"},
      {"SplitRate", "NAN", "NAN"},
      {"TimeWidth", "2.5", "2.500000e+00"},
      {"Const", "4 5 6 7 8 9 10 11 12 13 14",
       "4.000000e+00 5.000000e+00 6.000000e+00 7.000000e+00 8.000000e+00 "
       "9.000000e+00 1.000000e+01 1.100000e+01 1.200000e+01 1.300000e+01"},
      {"CurrentPath", "c:\\data\x0Efiles", "c:\\data\x0Efiles"},
      {"Left", "-20", "-20"},
  };
  for (const auto& [keyword, values, written] : rows) {
    SCOPED_TRACE(keyword);
    ASSERT_EQ(zdz_viewer_set(Viewer, keyword, -1, values), ZDZ_OK);
    EXPECT_EQ(Get(keyword), written);
    EXPECT_EQ(StatementsOf(RecordText()).at(keyword), written);
  }
  EXPECT_EQ(zdz_viewer_set(Viewer, "GridType", -1, "3;Left 5"), ZDZ_E_ARGUMENT);
  EXPECT_EQ(zdz_viewer_set(Viewer, "GridType", -1, " "), ZDZ_E_ARGUMENT);
}

// Every column's values as the group's line carries them are
// python/tests/test_viewer.py::test_keyword_values_are_those_zdz_lists.
TEST_F(ViewerKeywordsTest, GroupValuesAreReadAndSetByGroupKeepingItsName) {
  EXPECT_EQ(Get("CurrentColor", 0), "0xFF0000 0xFF00");
  Get("CHID", 1, ZDZ_E_ARGUMENT);
  Get("CHID", -1, ZDZ_E_ARGUMENT);
  ASSERT_EQ(zdz_viewer_set(Viewer, "CHID", 0, "7 8"), ZDZ_OK);
  EXPECT_EQ(Get("CHID", 0), "7 8");
  EXPECT_EQ(Get("Group", 0), "Inputs");
  ASSERT_EQ(zdz_viewer_set(Viewer, "Group", 0, "Two\x0Ewords"), ZDZ_OK);
  EXPECT_EQ(GroupText().substr(0, 17), "Group1 Two\x0Ewords;");
  EXPECT_EQ(zdz_viewer_set(Viewer, "GrNum", -1, "5"), ZDZ_E_ORDER);
  EXPECT_EQ(zdz_viewer_set(Viewer, "GrChNum", -1, "5"), ZDZ_E_ORDER);
  EXPECT_EQ(Get("GrNum"), "1");
}

TEST_F(ViewerKeywordsTest, ARecordWithoutGroupArraysGetsThemWhenAGroupValueIsSet) {
  zdz_viewer* fresh = nullptr;
  ASSERT_EQ(zdz_viewer_from_text(Line, &fresh), ZDZ_OK);
  EXPECT_EQ(TextOf(Bound(zdz_viewer_get, fresh, "CHID", 0), ZDZ_E_NOT_FOUND), "");
  EXPECT_EQ(TextOf(Bound(zdz_viewer_group_to_text, fresh, 0), ZDZ_E_NOT_FOUND), "");
  ASSERT_EQ(zdz_viewer_set(fresh, "MMAX", 0, "1.5"), ZDZ_OK);
  EXPECT_EQ(TextOf(Bound(zdz_viewer_get, fresh, "MMAX", 0)), "1.500000e+00 NAN");
  EXPECT_EQ(TextOf(Bound(zdz_viewer_get, fresh, "Group", 0)), "\x0E");
  EXPECT_EQ(zdz_viewer_release(fresh), ZDZ_OK);
}

// The demo's lines reading back to themselves are the Python package's round-trip test.
TEST_F(ViewerKeywordsTest, ANewRecordIsTheLibrarys) {
  zdz_viewer* made = nullptr;
  ASSERT_EQ(zdz_viewer_create(3, &made), ZDZ_OK);
  ViewerProperty* created = CreateViewerProperty(3);
  CString expected;
  ViewerProperty2Ascii(created, expected);
  EXPECT_EQ(TextOf(Bound(zdz_viewer_to_text, made)), TextOf(expected));
  ReleaseViewerProperty(created);
  EXPECT_EQ(zdz_viewer_release(made), ZDZ_OK);
  EXPECT_EQ(zdz_viewer_from_text("GrNum 1;ChannelNumber 2;", &made), ZDZ_E_ARGUMENT);
}
} // namespace
