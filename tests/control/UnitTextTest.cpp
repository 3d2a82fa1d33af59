#include "control/UnitText.h"

#include "sim/SimControl.h"

#include <gtest/gtest.h>

namespace {
TEST(UnitTextTest, CodesGiveTheirTextsInBothLanguages) {
  struct Case {
    WORD Code;
    const char* Text;
    const char* JapaneseText;
  };
  const Case cases[] = {
      {0x0001, "%", "%"},       {0x0002, "dB", "dB"},    {0x0008, "uSTR", "uSTR"}, {0x0100, "V", "V"},
      {0x0200, "A", "A"},       {0x0210, "Ah", "Ah"},    {0x0300, "OHM", "\x83\xB6"}, {0x0400, "W", "W"},
      {0x0401, "VA", "VA"},     {0x0402, "var", "var"},  {0x0410, "Wh", "Wh"},     {0x0800, "s", "s"},
      {0x0900, "Hz", "Hz"},     {0x0910, "rpm", "rpm"},  {0x1000, "C", "\x81\x8E"}, {0x1001, "K", "K"},
      {0x1002, "F", "F"},       {0x2100, "deg", "deg"},  {0x2410, "Nm", "Nm"},     {0x1234, "?", "?"},
      {0x0000, "?", "?"},       {0xFFF0, "?", "?"},
  };
  for (DWORD language : {DWORD{0}, JapaneseLanguage, DWORD{16}}) {
    SimReset();
    SimSetLanguage(language);
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "code 0x" << std::hex << c.Code << " language " << language);
      EXPECT_EQ(ZocGetUnitStr(c.Code), language == JapaneseLanguage ? c.JapaneseText : c.Text);
    }
  }
  SimReset();
}

TEST(UnitTextTest, UserUnitsAreBoundedToFourBytesEach) {
  const char unterminated[4] = {'a', 'b', 'c', 'd'};
  struct Case {
    WORD Code;
    const char* Text1;
    const char* Text2;
    const char* Expected;
  };
  const Case cases[] = {
      {UserUnitBoth, "mV/V", "x", "mV/Vx"},  {UserUnitBoth, "m", "s", "m"},
      {UserUnitBoth, "mV/Vzz", "abcdef", "mV/Vabcd"}, {UserUnitBoth, nullptr, "s", ""},
      {UserUnitBoth, "mV/V", nullptr, "mV/V"}, {UserUnitFirst, "abcdef", "x", "abcd"},
      {UserUnitFirst, unterminated, nullptr, "abcd"}, {UserUnitFirst, nullptr, nullptr, ""},
      {0x0100, "abcd", "efgh", "V"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Expected);
    EXPECT_EQ(ZocGetUnitStrEx(c.Code, c.Text1, c.Text2), c.Expected);
  }
}
} // namespace
