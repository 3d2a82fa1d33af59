#include "control/ChannelWaveInfo.h"

#include "sim/SimControl.h"

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

WAVEINF SampleWaveInf() {
  WAVEINF src = {};
  src.WordA = 0;
  src.DataType = 0x10;
  src.ByteC = 3;
  src.ByteD = 4;
  src.PointNum = 1000;
  const double interval = 0.25;
  std::memcpy(&src.DwordE, &interval, 4);
  std::memcpy(&src.DwordF, reinterpret_cast<const char*>(&interval) + 4, 4);
  src.DwordG = 7;
  src.DwordJ = 10;
  const short values[5] = {10, 11, 12, 13, -14};
  BYTE* slots[5] = {src.Value0, src.Value1, src.Value2, src.Value3, src.Value4};
  for (int i = 0; i < 5; ++i)
    std::memcpy(slots[i], &values[i], 2);
  src.DwordL = 0xFFFFFFFF;
  src.UnitCode = 0xFFF1;
  src.SecondUnitCode = 0x0100;
  std::memcpy(src.UnitText1, "mV/V", 4);
  std::memcpy(src.UnitText2, "abcd", 4);
  src.TimeStamp = 86400 * 365;
  return src;
}

TEST(ChannelWaveInfoTest, FillsEveryFieldFromTheModulesRecord) {
  SimReset();
  WAVEINF src = SampleWaveInf();
  ChWaveInfo dst;
  dst.Reserved8 = 0x5A5A;
  ZocSetChannelWaveInfo(&src, &dst);
  EXPECT_EQ(dst.Channel, 0);
  EXPECT_EQ(dst.DataType, 0x10);
  EXPECT_EQ(dst.PointNum, 1000u);
  EXPECT_EQ(dst.Reserved8, 0x5A5Au) << "left as it is";
  EXPECT_EQ(dst.ByteC + dst.ByteD, 7);
  EXPECT_EQ(dst.Interval, 0.25);
  EXPECT_EQ(dst.Span, 4294967295.0 * 0.25) << "dword L is unsigned";
  EXPECT_EQ(dst.Block[0] + dst.Block[3], 17u);
  const double expected[5] = {13, -14, 10, 11, 12};
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(dst.Values[i], expected[i]) << i;
  EXPECT_EQ(dst.Name, "CH1");
  EXPECT_EQ(dst.Unit, "mV/Vabcd") << "user texts of 4 bytes have no zero";
  EXPECT_EQ(dst.SecondUnit, "V");
  EXPECT_EQ(dst.Date, LocalDate(src.TimeStamp).c_str());
  EXPECT_EQ(dst.Time.GetLength(), 8);
  ZocSetChannelWaveInfo(nullptr, &dst);
  ZocSetChannelWaveInfo(&src, nullptr);
}

TEST(ChannelWaveInfoTest, StampsWithoutTimeOrBeyondTheHostGiveADateOfTodayOrLater) {
  const std::string today = LocalDate(std::time(nullptr));
  for (DWORD stamp : {DWORD{0}, DWORD{0xFFFFFFFF}, DWORD{0x80000000}, DWORD{0xFFFFFFFE}}) {
    SCOPED_TRACE(stamp);
    WAVEINF src = SampleWaveInf();
    src.TimeStamp = stamp;
    ChWaveInfo dst;
    ZocSetChannelWaveInfo(&src, &dst);
    // After 2038 where the host holds such a time, today's date where it does not: never before 1970.
    EXPECT_GE(std::strcmp(dst.Date, today.c_str()), 0) << static_cast<LPCTSTR>(dst.Date);
  }
}
} // namespace
