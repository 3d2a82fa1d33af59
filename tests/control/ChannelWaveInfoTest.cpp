#include <zodavudaz/control/ChannelWaveInfo.h>

#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <utility>
#include <vector>

namespace {
/// The stamp in local time as date and time texts.
std::pair<std::string, std::string> Local(std::time_t stamp) {
  std::tm local = {};
  localtime_r(&stamp, &local);
  char date[40], time[40];
  std::snprintf(date, sizeof date, "%4d/%02d/%02d", local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
  std::snprintf(time, sizeof time, "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
  return {date, time};
}

TEST(ChannelWaveInfoTest, FillsEveryFieldFromTheModulesRecord) {
  SimReset();
  WAVEINF src = SimGeneratedWaveInf(SimModuleConfig(), 0, 0);
  const short values[5] = {10, 11, 12, 13, -14};
  BYTE* slots[5] = {src.Value0, src.Value1, src.Value2, src.Value3, src.Value4};
  for (int i = 0; i < 5; ++i)
    std::memcpy(slots[i], &values[i], 2);
  src.DataType = 0x10;
  src.DwordL = 0xFFFFFFFF;
  ChWaveInfo dst;
  ZocSetChannelWaveInfo(&src, &dst);
  EXPECT_DOUBLE_EQ(dst.Span, 4294967295.0 * dst.Interval) << "dword L is unsigned";
  EXPECT_EQ(dst.Block[3], src.DwordJ);
  EXPECT_EQ(std::vector<double>(dst.Values, dst.Values + 5), (std::vector<double>{13, -14, 10, 11, 12}));
  EXPECT_EQ((std::vector<CString>{dst.Name, dst.Unit, dst.SecondUnit}), (std::vector<CString>{"CH1", "V", "s"}));
  EXPECT_EQ(std::make_pair(std::string(dst.Date), std::string(dst.Time)), Local(src.TimeStamp));
}

// Stamps are unsigned seconds; those from 0x80000000 on lie after January 2038.
TEST(ChannelWaveInfoTest, StampsAfter2038KeepTheirDateAndStampsWithoutTimeGiveToday) {
  const std::string today = Local(std::time(nullptr)).first;
  const struct {
    DWORD Stamp;
    std::string Month;
  } rows[] = {
      {0, today.substr(0, 8)}, {0xFFFFFFFF, today.substr(0, 8)}, {0x80000000, "2038/01/"}, {0xFFFFFFFE, "2106/02/"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Stamp);
    WAVEINF src = {};
    src.TimeStamp = row.Stamp;
    ChWaveInfo dst;
    ZocSetChannelWaveInfo(&src, &dst);
    EXPECT_EQ(std::string(dst.Date).substr(0, 8), row.Month);
    if (row.Stamp != 0 && row.Stamp != 0xFFFFFFFF) {
      EXPECT_EQ(std::make_pair(std::string(dst.Date), std::string(dst.Time)), Local(row.Stamp));
    }
  }
}
} // namespace
