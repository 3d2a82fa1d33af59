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
