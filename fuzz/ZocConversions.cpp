// Arbitrary unit codes, user unit texts and wave information records through the control
// functions' conversions: no read beyond the 4-byte user texts or the record, unit texts never
// longer than 8 bytes, and a date and time of fixed width.
#include "fuzz/FuzzCheck.h"
#include <zodavudaz/control/ChannelWaveInfo.h>
#include <zodavudaz/control/UnitText.h>
#include <zodavudaz/sim/SimControl.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

namespace {
// Four bytes in a block of their own, so that a read past them is caught.
std::unique_ptr<char[]> UserText(const char* from) {
  std::unique_ptr<char[]> bytes(new char[4]);
  std::memcpy(bytes.get(), from, 4);
  return bytes;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < sizeof(WAVEINF) + 1)
    return 0;
  SimSetLanguage(data[0] & 1 ? JapaneseLanguage : 0);
  WAVEINF* record = new WAVEINF;
  std::memcpy(record, data + 1, sizeof(WAVEINF));
  const std::unique_ptr<char[]> first = UserText(record->UnitText1);
  const std::unique_ptr<char[]> second = UserText(record->UnitText2);
  Check(ZocGetUnitStrEx(record->UnitCode, first.get(), second.get()).GetLength() <= 8);
  ChWaveInfo info;
  ZocSetChannelWaveInfo(record, &info);
  Check(info.Unit.GetLength() <= 8 && info.SecondUnit.GetLength() <= 8);
  Check(info.Time.GetLength() == 8 && info.Date.GetLength() == 10);
  Check(info.Channel == record->WordA && info.PointNum == record->PointNum);
  delete record;
  return 0;
}
