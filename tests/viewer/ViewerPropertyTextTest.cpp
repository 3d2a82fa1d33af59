#include <zodavudaz/viewer/ViewerPropertyText.h>

#include "tests/viewer/AllocationChecks.h"
#include <zodavudaz/platform/BlockAllocator.h>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {
const std::string DefaultText = "ChannelNumber 2;MathChNum 0;GrNum 0;GrChNum 0;CurrentGr 0;GrAssignNum 0;StationID 0;"
                                "ModuleID 0;GridType 0;Interpolation 0;ReadoutType 0;Accumulation 0;CursorType 0;"
                                "TyXy 0;Split 0;DispType 0;AllItem 0;Label 0;EnableInfo 0;ToolBar 0;TimeFmt 0;XyX 0;"
                                "XyY 0 0 0 0;MeasureItem 0x0;BottomHeight 0;SplitRate 0.000000e+00;"
                                "TimeWidth 0.000000e+00;HCursor1 0.000000e+00;HCursor2 0.000000e+00;"
                                "VCursor1 0.000000e+00;VCursor2 0.000000e+00;Left 0;Top 0;Right 0;Bottom 0;"
                                "Average 0 0;MathLabel \x0e \x0e;MathUnit \x0e \x0e;MathExp C1 C1;"
                                "Const 1.000000e+00 1.000000e+00 1.000000e+00 1.000000e+00 1.000000e+00 "
                                "1.000000e+00 1.000000e+00 1.000000e+00 1.000000e+00 1.000000e+00;"
                                "AverageType 0;AverageNum 0;AveExpWeight 0;FFTPoint 0;FFTWindow 0;FilterType 0 0;"
                                "FilterBand 0 0;FilterCut1 300 300;FilterCut2 300 300;CurrentPlane 1;CvWnd 0;"
                                "CVrate 0;LoadStatus 0;ChCopyStatus 0;";

const std::string FilledText =
    "ChannelNumber 2;MathChNum 1;GrNum 65535;GrChNum 3;CurrentGr 4;GrAssignNum 5;StationID 6;ModuleID 7;"
    "GridType 1;Interpolation 2;ReadoutType 3;Accumulation 4;CursorType 5;TyXy 6;Split 7;DispType 8;AllItem 9;"
    "Label 10;EnableInfo 11;ToolBar 12;TimeFmt 255;XyX 8;XyY 1 2 3 65535;MeasureItem 0xABCDEF01;"
    "BottomHeight -2147483648;SplitRate 5.000000e-01;TimeWidth -1.234568e+03;HCursor1 NAN;HCursor2 inf;"
    "VCursor1 -inf;VCursor2 -0.000000e+00;Left -1;Top 2;Right 2147483647;Bottom 0;Average 0 255;"
    "MathLabel Volts\016in \016;MathUnit V a\016b\016c;MathExp C1*2 C2\016+\0161;Const 1.000000e+300 1.000000e+00 "
    "1.000000e+00 1.000000e+00 1.000000e+00 1.000000e+00 1.000000e+00 1.000000e+00 1.000000e+00 -2.500000e-300;"
    "AverageType 13;AverageNum -5;AveExpWeight 16;FFTPoint 17;FFTWindow 18;FilterType 0 1;FilterBand 2 3;"
    "FilterCut1 300 -300;FilterCut2 0 1000000;CurrentPath C:\\Data\016dir;CurrentPlane 2;"
    "ColorArray 0xFF 0xDEADBEEF 0x0;CustomToolBar \x0e;CvWnd 19;CVrate 20;LoadStatus 21;ChCopyStatus 65535;";

template <typename Element>
Element* NewArray(std::initializer_list<Element> values) {
  Element* array = static_cast<Element*>(NewBlock(sizeof(Element) * values.size()));
  std::copy(values.begin(), values.end(), array);
  return array;
}

char* NewText(const char* text) {
  return static_cast<char*>(std::memcpy(NewBlock(std::strlen(text) + 1), text, std::strlen(text) + 1));
}

ViewerProperty* NewFilledRecord() {
  ViewerProperty* r = CreateViewerProperty(2);
  r->ChannelNumber = 2, r->MathChNum = 1, r->GrNum = 65535, r->GrChNum = 3, r->CurrentGr = 4, r->GrAssignNum = 5;
  r->StationID = 6, r->ModuleID = 7, r->GridType = 1, r->Interpolation = 2, r->ReadoutType = 3, r->Accumulation = 4;
  r->CursorType = 5, r->TyXy = 6, r->Split = 7, r->DispType = 8, r->AllItem = 9, r->Label = 10, r->EnableInfo = 11;
  r->ToolBar = 12, r->TimeFmt = 255, r->XyX = 8, r->MeasureItem = 0xABCDEF01, r->BottomHeight = -2147483647 - 1;
  std::copy_n(std::initializer_list<WORD>{1, 2, 3, 65535}.begin(), 4, r->XyY);
  r->SplitRate = 0.5, r->TimeWidth = -1234.5678, r->HCursor1 = std::nan(""), r->HCursor2 = HUGE_VAL;
  r->VCursor1 = -HUGE_VAL, r->VCursor2 = -0.0, r->Left = -1, r->Top = 2, r->Right = 2147483647;
  r->Channel[0] = 0, r->Cursor[1] = 0, r->Offset[0] = 3.0, r->ScaleEffect[0] = 1, r->ScaleMax[1] = 9.0;
  r->CurrentValue[1] = 4, r->Average[1] = 255;
  std::strcpy(r->MathLabel[0], "Volts in"), std::strcpy(r->MathUnit[0], "V"), std::strcpy(r->MathUnit[1], "a;b\tc");
  std::strcpy(r->MathExp[0], "C1*2"), std::strcpy(r->MathExp[1], "C2 + 1");
  r->Const[0] = 1e300, r->Const[9] = -2.5e-300, r->AverageType = 13, r->AverageNum = -5, r->AveExpWeight = 16;
  r->FFTPoint = 17, r->FFTWindow = 18, r->FilterType[1] = 1, r->FilterBand[0] = 2, r->FilterBand[1] = 3;
  r->FilterCut1[1] = -300, r->FilterCut2[0] = 0, r->FilterCut2[1] = 1000000;
  r->CurrentPath = NewText("C:\\Data dir"), r->CurrentPlane = 2, r->CustomToolBar = NewText("");
  r->ColorArray = NewArray<DWORD>({0xFF, 0xDEADBEEF, 0}), r->ColorArrayNum = 3;
  r->CvWnd = 19, r->CVrate = 20, r->LoadStatus = 21, r->ChCopyStatus = 65535;
  return r;
}

std::string Written(const ViewerProperty* record) {
  CString text("marker");
  EXPECT_EQ(ViewerProperty2Ascii(record, text), 0);
  return std::string(text, text.GetLength());
}

ViewerProperty* Read(const std::string& text) { return Ascii2ViewerProperty(CString(text.data(), int(text.size()))); }

TEST(ViewerPropertyTextTest, WritesEveryStatementInTableOrderAndReadsItBack) {
  ViewerProperty* defaults = CreateViewerProperty(2);
  defaults->ChannelNumber = 2;
  EXPECT_EQ(Written(defaults), DefaultText);
  ViewerProperty* filled = NewFilledRecord();
  EXPECT_EQ(Written(filled), FilledText);
  // Texts are encoded in the output only.
  EXPECT_STREQ(filled->MathUnit[1], "a;b\tc");
  ViewerProperty* read = Read(FilledText);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Written(read), FilledText);
  EXPECT_STREQ(read->MathUnit[1], "a b c");
  EXPECT_EQ(std::bit_cast<std::uint64_t>(read->HCursor1), ~std::uint64_t{0});
  // Rows that are never written come back at their creation defaults.
  EXPECT_EQ(read->Channel[0] + read->Cursor[1] + read->ScaleEffect[0] + read->CurrentValue[1], 2);
  EXPECT_EQ(read->Offset[0] + read->ScaleMax[1], 0.0);
  for (ViewerProperty* record : {defaults, filled, read})
    ReleaseViewerProperty(record);
  EXPECT_EQ(Written(nullptr), "");
}

TEST(ViewerPropertyTextTest, TheLargestChannelCountsReadAndWriteBack) {
  ViewerProperty* largest = Read("ChannelNumber 65535;Average 7;");
  ASSERT_NE(largest, nullptr);
  EXPECT_EQ(largest->ChannelCapacity, 65535);
  EXPECT_EQ(largest->Average[0], 7);
  EXPECT_EQ(largest->Cursor[65534], 1);
  ViewerProperty* again = Read(Written(largest));
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(Written(again), Written(largest));
  // A count beyond 16 bits never leaves the count above the arrays made for it.
  ViewerProperty* beyond = Read("ChannelNumber 111111111111111131;Average 1 2;");
  if (beyond != nullptr) {
    EXPECT_LE(beyond->ChannelNumber, beyond->ChannelCapacity);
  }
  for (ViewerProperty* record : {largest, again, beyond})
    ReleaseViewerProperty(record);
}

std::string ManyAverages(int count) {
  std::string text = "ChannelNumber " + std::to_string(count) + ";Average";
  for (int i = 0; i < count; ++i)
    text.append(" ").append(std::to_string(i % 200));
  return text + ";";
}

struct ReadCase {
  const char* Name;
  std::string Text;
  /// Statements the record read must write; none when the text must be refused.
  std::vector<std::string> Statements;
};

const ReadCase ReadCases[] = {
    {"UnknownKeywordSkipped", "Foo 1;ChannelNumber 2;Bar 3 4;", {DefaultText}},
    {"TwoChannelCounts", "ChannelNumber 2 3;", {}},
    {"NoChannels", "ChannelNumber 0;", {}},
    {"UnknownKeywordWithoutValue", "Foo;ChannelNumber 2;", {}},
    {"EmptyStatement", "ChannelNumber 2;;", {}},
    {"UnterminatedLastStatement", "ChannelNumber 2;GridType 3", {DefaultText}},
    {"TextEndsAtZeroByte", std::string("ChannelNumber 2;GridType 3;\0Split 1;", 36), {"GridType 3;", "Split 0;"}},
    {"ShortArrayKeepsTheRest", "ChannelNumber 1;Const 5;", {"Const 5.000000e+00 1.000000e+00 1.000000e+00 "}},
    {"WhiteSpaceSeparatesWords", "ChannelNumber\t1;\r\nXyY\v7\f8  9 10 11;", {"ChannelNumber 1;", "XyY 7 8 9 10;"}},
    {"NumbersTruncatedToTheField",
     "ChannelNumber 1;XyX 70000;GridType -1;Left 1x;MeasureItem 12;",
     {"XyX 4464;", "GridType 255;", "Left 1;", "MeasureItem 0x0;"}},
    {"ByteFourteenIsABlank", "ChannelNumber 1;MathLabel a\016b;", {"MathLabel a\016b;"}},
    {"SurplusChannelValuesDropped", "ChannelNumber 2;Average 1 2 3 4;MathExp a b c;", {"Average 1 2;", "MathExp a b;"}},
    {"LaterChannelNumberStaysWithinTheArrays",
     "ChannelNumber 2;ChannelNumber 9;Average 1 2 3;",
     {"ChannelNumber 2;", "Average 1 2;"}},
    {"LongTextsCutToTheirFields",
     "ChannelNumber 1;MathUnit " + std::string(100000, 'u') + ";MathExp " + std::string(70, 'e'),
     {"MathUnit " + std::string(15, 'u') + ";", "MathExp C1;"}},
    {"ManyWordsReadInFull",
     ManyAverages(1500),
     {"ChannelNumber 1500;", "Average 0 1 2 ", " 199 0 1 ", " 98 99;MathLabel"}},
    {"RepeatedTextsAndColoursReplaced",
     "ChannelNumber 1;CurrentPath a b;ColorArray 1 0x2;CurrentPath c\016d;ColorArray 0xF zz 0x1;",
     {"CurrentPath c\016d;", "ColorArray 0xF 0x0 0x1;"}},
};

void PrintTo(const ReadCase& row, std::ostream* out) { *out << row.Name; }

class ReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadTest, GivesTheExpectedRecordAndLeaksNothing) {
  ViewerProperty* record = Read(GetParam().Text);
  EXPECT_EQ(record == nullptr, GetParam().Statements.empty());
  for (const std::string& statement : GetParam().Statements)
    EXPECT_NE(Written(record).find(statement), std::string::npos) << statement;
  ReleaseViewerProperty(record);
}

INSTANTIATE_TEST_SUITE_P(Texts, ReadTest, testing::ValuesIn(ReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return info.param.Name; });

TEST(ViewerPropertyTextTest, WritesNoMoreChannelsThanTheArraysHold) {
  ViewerProperty* record = CreateViewerProperty(1);
  record->ChannelNumber = 3;
  EXPECT_NE(Written(record).find("Average 0;MathLabel \x0e;"), std::string::npos);
  record->ChannelNumber = 0;
  EXPECT_EQ(Written(record).find("MathLabel"), std::string::npos);
  ReleaseViewerProperty(record);
}

TEST(ViewerPropertyTextTest, EveryFailedAllocationGivesNullAndLeaksNothing) {
  ForEachBlockFault([] {
    ViewerProperty* record = Read(FilledText);
    EXPECT_EQ(record == nullptr, GetBlockFaultCount() > 0);
    ReleaseViewerProperty(record);
  });
}
} // namespace
