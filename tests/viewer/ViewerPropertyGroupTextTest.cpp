#include <zodavudaz/viewer/ViewerPropertyGroupText.h>

#include "tests/viewer/AllocationChecks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

namespace {
const char DefaultGroup1[] =
    "Group1 \x0e;CHID -1 -1 -1;CHSTS 0 0 0;MMIN NAN NAN NAN;MMAX NAN NAN NAN;CurrentColor 0x0 0x0 0x0;"
    "OtherColor 0x0 0x0 0x0;";
const std::string DefaultGroup2 = "Group2" + std::string(DefaultGroup1 + 6);

// A record of groups x channels whose group arrays the reader allocated.
ViewerProperty* NewGroupedRecord(WORD groups, WORD channels) {
  ViewerProperty* record = CreateViewerProperty(1);
  record->GrNum = groups;
  record->GrChNum = channels;
  Ascii2ViewerPropertyGr(record, CString());
  return record;
}

std::string WrittenGroup(const ViewerProperty* record, WORD group, int expectedResult = 0) {
  CString text("marker");
  EXPECT_EQ(ViewerProperty2AsciiGr(record, group, text), expectedResult);
  return std::string(text, text.GetLength());
}

TEST(ViewerPropertyGroupTextTest, WritesHeadAndSixColumns) {
  ViewerProperty* record = NewGroupedRecord(2, 3);
  std::strcpy(record->GrName[1], "Left pair");
  record->GrChInfo[3] = GrChannel{5, 255, -1.5, std::nan(""), 0xABCDEF, 0};
  record->GrChInfo[4] = GrChannel{-2147483647 - 1, 0, HUGE_VAL, 1e-5, 0, 0xFFFFFFFF};
  record->GrChInfo[5] = GrChannel{0, 1, 0.0, -HUGE_VAL, 1, 2};
  EXPECT_EQ(WrittenGroup(record, 1), "Group2 Left\x0epair;CHID 5 -2147483648 0;CHSTS 255 0 1;"
                                     "MMIN -1.500000e+00 NAN 0.000000e+00;MMAX NAN 1.000000e-05 NAN;"
                                     "CurrentColor 0xABCDEF 0x0 0x1;OtherColor 0x0 0xFFFFFFFF 0x2;");
  EXPECT_STREQ(record->GrName[1], "Left pair");
  EXPECT_EQ(WrittenGroup(record, 2, 1), "");
  ReleaseViewerProperty(record);
  ViewerProperty* noChannels = NewGroupedRecord(1, 0);
  EXPECT_EQ(WrittenGroup(noChannels, 0), "Group1 \x0e;CHID;CHSTS;MMIN;MMAX;CurrentColor;OtherColor;");
  ReleaseViewerProperty(noChannels);
  ViewerProperty* noGroups = CreateViewerProperty(1);
  noGroups->GrNum = 1;
  EXPECT_EQ(WrittenGroup(noGroups, 0, 1), "");
  EXPECT_EQ(WrittenGroup(nullptr, 0, 1), "");
  ReleaseViewerProperty(noGroups);
}

/// The second group's default text with each statement given in place of the one of its keyword.
std::string Group2With(std::initializer_list<std::string> statements) {
  std::string text = DefaultGroup2;
  for (const std::string& statement : statements) {
    const std::size_t at = text.find(statement.substr(0, statement.find(' ') + 1));
    text.replace(at, text.find(';', at) - at, statement);
  }
  return text;
}

struct GroupReadCase {
  const char* Name;
  std::string Text;
  /// The second group's text after the read; the first must stay as it was.
  std::string Group2;
};

const GroupReadCase GroupReadCases[] = {
    {"OneColumnEndingWithTheText", "Group2 A;CHID 5 6", Group2With({"Group2 A", "CHID 5 6 -1"})},
    {"AllColumnsAnyOrder",
     "Group2 \016B\016;OtherColor 0x1 0x2 0x3;MMAX 1 NAN inf;MMIN -2.5e3;CHSTS 7 300 -1;CHID 1;"
     "CurrentColor 0xF 12 0x10;",
     "Group2 \016B\016;CHID 1 -1 -1;CHSTS 7 44 255;MMIN -2.500000e+03 NAN NAN;MMAX 1.000000e+00 NAN NAN;"
     "CurrentColor 0xF 0x0 0x10;OtherColor 0x1 0x2 0x3;"},
    {"TwoBlanksGiveAnEmptyValue", "Group2 N;CHID 5  6;MMIN 2  3;CurrentColor 0x1  0x2;",
     Group2With({"Group2 N", "CHID 5 0 6", "MMIN 2.000000e+00 0.000000e+00 3.000000e+00", "CurrentColor 0x1 0x0 0x2"})},
    {"SurplusValuesDropped", "Group2   long " + std::string(40, 'n') + ";CHID 1 2 3 4 5;",
     Group2With({"Group2 long\x0e" + std::string(26, 'n'), "CHID 1 2 3"})},
    {"GroupZero", "Group0 A;CHID 1;", DefaultGroup2},
    {"GroupBeyondGrNum", "Group3 A;CHID 1;", DefaultGroup2},
    {"NegativeGroup", "Group-1 A;CHID 1;", DefaultGroup2},
    {"GroupNotAtTheStart", "XGroup2 A;CHID 1;", DefaultGroup2},
    {"HeadWithoutBlank", "Group2;CHID 1;", DefaultGroup2},
    {"HeadWithoutEnd", "Group2 A", DefaultGroup2},
};

void PrintTo(const GroupReadCase& row, std::ostream* out) { *out << row.Name; }

class GroupReadTest : public testing::TestWithParam<GroupReadCase> {};

TEST_P(GroupReadTest, ChangesOnlyTheNamedGroup) {
  ViewerProperty* record = NewGroupedRecord(2, 3);
  Ascii2ViewerPropertyGr(record, CString(GetParam().Text.c_str()));
  EXPECT_EQ(WrittenGroup(record, 0), DefaultGroup1);
  EXPECT_EQ(WrittenGroup(record, 1), GetParam().Group2);
  ReleaseViewerProperty(record);
}

INSTANTIATE_TEST_SUITE_P(Texts, GroupReadTest, testing::ValuesIn(GroupReadCases),
                         [](const testing::TestParamInfo<GroupReadCase>& info) { return info.param.Name; });

TEST(ViewerPropertyGroupTextTest, FailedAllocationsLeaveTheRecordUsable) {
  ViewerProperty* record = CreateViewerProperty(1);
  record->GrNum = 1;
  ForEachBlockFault([record] {
    Ascii2ViewerPropertyGr(record, CString("Group1 A;CHID 4;"));
    const bool faulted = GetBlockFaultCount() > 0;
    EXPECT_EQ(WrittenGroup(record, 0, faulted ? 1 : 0).empty(), faulted);
    ::operator delete(record->GrName);
    ::operator delete(record->GrChInfo);
    record->GrName = nullptr;
    record->GrChInfo = nullptr;
  });
  ReleaseViewerProperty(record);
  // More than a 32-bit size, and more than a 32-bit process can hold: refused by both builds.
  for (WORD channels : {WORD{65535}, WORD{2048}}) {
    ViewerProperty* oversized = NewGroupedRecord(65535, channels);
    EXPECT_EQ(WrittenGroup(oversized, 0, 1), "");
    ReleaseViewerProperty(oversized);
  }
  Ascii2ViewerPropertyGr(nullptr, CString("Group1 A;"));
}
} // namespace
