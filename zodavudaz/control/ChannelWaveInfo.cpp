#include <zodavudaz/control/ChannelWaveInfo.h>

#include <zodavudaz/control/UnitText.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/platform/CTime.h>

#include <cstring>

namespace {
// Stamps are unsigned: those from 0x80000000 on are after 2038, not before 1970.
CTime AcquisitionTime(DWORD stamp) {
  if (stamp != 0 && stamp != 0xFFFFFFFF) {
    const CTime time(static_cast<long long>(stamp));
    if (time.IsValid())
      return time;
  }
  return CTime::GetCurrentTime();
}

// The user unit texts may fill their 4 bytes without a zero.
CString UnitOf(WORD code, const WAVEINF& src) {
  char first[5] = {};
  char second[5] = {};
  std::memcpy(first, src.UnitText1, sizeof src.UnitText1);
  std::memcpy(second, src.UnitText2, sizeof src.UnitText2);
  return ZocGetUnitStrEx(code, first, second);
}
} // namespace

void ZocSetChannelWaveInfo(WAVEINF* src, ChWaveInfo* dst) noexcept {
  if (src == nullptr || dst == nullptr)
    return;
  dst->Channel = src->WordA;
  dst->DataType = src->DataType;
  dst->PointNum = src->PointNum;
  dst->ByteC = src->ByteC;
  dst->ByteD = src->ByteD;
  const DWORD interval[2] = {src->DwordE, src->DwordF};
  std::memcpy(&dst->Interval, interval, sizeof dst->Interval);
  dst->Span = static_cast<double>(src->DwordL) * dst->Interval;
  const DWORD block[4] = {src->DwordG, src->DwordH, src->DwordI, src->DwordJ};
  std::memcpy(dst->Block, block, sizeof dst->Block);
  BYTE* values[] = {src->Value3, src->Value4, src->Value0, src->Value1, src->Value2};
  for (int i = 0; i < 5; ++i)
    dst->Values[i] = UnionToDouble(src->DataType, values[i]);
  dst->Name.Format("CH%d", src->WordA + 1);
  dst->Unit = UnitOf(src->UnitCode, *src);
  dst->SecondUnit = UnitOf(src->SecondUnitCode, *src);
  const CTime time = AcquisitionTime(src->TimeStamp);
  dst->Date.Format("%4d/%02d/%02d", time.GetYear(), time.GetMonth(), time.GetDay());
  dst->Time.Format("%02d:%02d:%02d", time.GetHour(), time.GetMinute(), time.GetSecond());
}
