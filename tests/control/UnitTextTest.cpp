#include <zodavudaz/control/UnitText.h>

#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

namespace {
TEST(UnitTextTest, UserUnitsAreBoundedToFourBytesEach) {
  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  struct Case {
    WORD Code;
    const char* Text1;
    const char* Text2;
    const char* Expected;
  };
  const Case cases[] = {{UserUnitBoth, "m", "s", "m"},
                        {UserUnitBoth, "mV/Vzz", "abcdef", "mV/Vabcd"},
                        {UserUnitBoth, nullptr, "s", ""},
                        {UserUnitFirst, unterminated, nullptr, "abcd"},
                        {0x0100, "abcd", "efgh", "V"}};
  for (const Case& c : cases)
    EXPECT_EQ(ZocGetUnitStrEx(c.Code, c.Text1, c.Text2), c.Expected) << c.Expected;
}

TEST(UnitTextTest, CodesGiveTheirTextsInBothLanguages) {
  const struct {
    WORD Code;
    const char* Text;
    const char* JapaneseText;
  } rows[] = {{0x0001, "%", "%"},   {0x0002, "dB", "dB"},   {0x0008, "uSTR", "uSTR"},    {0x0100, "V", "V"},
              {0x0200, "A", "A"},   {0x0210, "Ah", "Ah"},   {0x0300, "OHM", "\x83\xB6"}, {0x0400, "W", "W"},
              {0x0401, "VA", "VA"}, {0x0402, "var", "var"}, {0x0410, "Wh", "Wh"},        {0x0800, "s", "s"},
              {0x0900, "Hz", "Hz"}, {0x0910, "rpm", "rpm"}, {0x1000, "C", "\x81\x8E"},   {0x1001, "K", "K"},
              {0x1002, "F", "F"},   {0x2100, "deg", "deg"}, {0x2410, "Nm", "Nm"},        {0x1234, "?", "?"},
              {0xFFF0, "?", "?"},   {0x0000, "?", "?"}};
  for (DWORD language : {DWORD{0}, DWORD{17}, DWORD{16}}) {
    SimReset();
    SimSetLanguage(language);
    for (const auto& row : rows)
      EXPECT_EQ(ZocGetUnitStr(row.Code), language == 17 ? row.JapaneseText : row.Text) << row.Code << " " << language;
  }
  SimReset();
}
} // namespace
