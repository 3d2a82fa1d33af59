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
  const Case cases[] = {{0x0001, "%", "%"},          {0x0008, "uSTR", "uSTR"}, {0x0210, "Ah", "Ah"},
                        {0x0300, "OHM", "\x83\xB6"}, {0x0402, "var", "var"},   {0x0910, "rpm", "rpm"},
                        {0x1000, "C", "\x81\x8E"},   {0x1002, "F", "F"},       {0x2410, "Nm", "Nm"},
                        {0x1234, "?", "?"},          {0xFFF0, "?", "?"}};
  for (DWORD language : {DWORD{0}, JapaneseLanguage, DWORD{16}}) {
    SimReset();
    SimSetLanguage(language);
    for (const Case& c : cases)
      EXPECT_EQ(ZocGetUnitStr(c.Code), language == JapaneseLanguage ? c.JapaneseText : c.Text) << c.Code;
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
  const Case cases[] = {{UserUnitBoth, "mV/V", "x", "mV/Vx"},
                        {UserUnitBoth, "m", "s", "m"},
                        {UserUnitBoth, "mV/Vzz", "abcdef", "mV/Vabcd"},
                        {UserUnitBoth, nullptr, "s", ""},
                        {UserUnitFirst, "abcdef", "x", "abcd"},
                        {UserUnitFirst, unterminated, nullptr, "abcd"},
                        {0x0100, "abcd", "efgh", "V"}};
  for (const Case& c : cases)
    EXPECT_EQ(ZocGetUnitStrEx(c.Code, c.Text1, c.Text2), c.Expected) << c.Expected;
}
} // namespace
