#include <zodavudaz/control/ChannelWaveInfo.h>
#include <zodavudaz/control/UnitText.h>

#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>

namespace {
std::string LocalDate(std::time_t stamp) {
  std::tm local = {};
  localtime_r(&stamp, &local);
  char date[40];
  std::snprintf(date, sizeof date, "%4d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  return date;
}

TEST(ChannelWaveInfoTest, FillsEveryFieldFromTheModulesRecord) {
  SimReset();
  SimModuleConfig config;
  WAVEINF src = SimGeneratedWaveInf(config, 0, 0);
  const short values[5] = {10, 11, 12, 13, -14};
  BYTE* slots[5] = {src.Value0, src.Value1, src.Value2, src.Value3, src.Value4};
  for (int i = 0; i < 5; ++i)
    std::memcpy(slots[i], &values[i], 2);
  src.DataType = 0x10;
  src.DwordL = 0xFFFFFFFF;
  src.UnitCode = UserUnitBoth;
  std::memcpy(src.UnitText1, "mV/V", 4);
  std::memcpy(src.UnitText2, "abcd", 4);
  ChWaveInfo dst;
  ZocSetChannelWaveInfo(&src, &dst);
  EXPECT_DOUBLE_EQ(dst.Span, 4294967295.0 * dst.Interval) << "dword L is unsigned";
  EXPECT_EQ(dst.Block[3], src.DwordJ);
  const double expected[5] = {13, -14, 10, 11, 12};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(dst.Values[i], expected[i]) << i;
  EXPECT_EQ(dst.Name, "CH1");
  EXPECT_EQ(dst.Unit, "mV/Vabcd") << "user texts of 4 bytes have no zero";
  EXPECT_EQ(dst.Date, LocalDate(src.TimeStamp).c_str());
  EXPECT_EQ(dst.Time.GetLength(), 8);
}

TEST(ChannelWaveInfoTest, StampsWithoutTimeOrBeyondTheHostGiveADateOfTodayOrLater) {
  const std::string today = LocalDate(std::time(nullptr));
  for (DWORD stamp : {DWORD{0}, DWORD{0xFFFFFFFF}, DWORD{0x80000000}, DWORD{0xFFFFFFFE}}) {
    WAVEINF src = {};
    src.TimeStamp = stamp;
    ChWaveInfo dst;
    ZocSetChannelWaveInfo(&src, &dst);
    // After 2038 where the host holds such a time, today's date where it does not: never before 1970.
    EXPECT_GE(std::strcmp(dst.Date, today.c_str()), 0) << stamp << " " << static_cast<LPCTSTR>(dst.Date);
  }
}
} // namespace
