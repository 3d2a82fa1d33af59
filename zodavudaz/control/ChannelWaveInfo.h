// The viewer's channel wave information and its filling from a module's wave information record.
#ifndef ZODAVUDAZ_CONTROL_CHANNELWAVEINFO_H
#define ZODAVUDAZ_CONTROL_CHANNELWAVEINFO_H

#include <zodavudaz/packets/WAVEINF.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

/// One channel's wave information as a viewer holds it; 112 bytes, doubles on 8-byte offsets.
struct alignas(8) ChWaveInfo {
  WORD Channel = 0;
  WORD DataType = 0;
  DWORD PointNum = 0;
  /// Not filled from the module's record.
  DWORD Reserved8 = 0;
  WORD ByteC = 0;
  WORD ByteD = 0;
  /// The double that the module sends in dwords E and F: the sample interval.
  double Interval = 0;
  /// Dword L times Interval (the simulated modules put PointNum in dword L: the acquisition's span).
  double Span = 0;
  /// Dwords G to J as sent.
  DWORD Block[4] = {};
  /// Values 3, 4, 0, 1 and 2 of the module's record, in this order, converted to double by the
  /// communication library's UnionToDouble (the simulated one converts as GetAcqInfo does, and
  /// gives 0 for a DataType without a conversion).
  double Values[5] = {};
  CString Name;
  CString Unit;
  CString SecondUnit;
  /// "yyyy/mm/dd" and "hh:mm:ss" of the acquisition, local time.
  CString Date;
  CString Time;
};
static_assert(sizeof(ChWaveInfo) == PerBuild(112, 128));
static_assert(offsetof(ChWaveInfo, PointNum) == 4);
static_assert(offsetof(ChWaveInfo, ByteC) == 12);
static_assert(offsetof(ChWaveInfo, Interval) == 16);
static_assert(offsetof(ChWaveInfo, Span) == 24);
static_assert(offsetof(ChWaveInfo, Block) == 32);
static_assert(offsetof(ChWaveInfo, Values) == 48);
static_assert(offsetof(ChWaveInfo, Name) == 88);
static_assert(offsetof(ChWaveInfo, Time) == PerBuild(104, 120));

/// Fills dst from src: name "CH<channel + 1>", unit texts of the two unit codes with the user
/// texts read bounded to their 4 bytes, and the time stamp's local date and time (the current
/// time for a stamp of 0 or 0xFFFFFFFF, or one the host cannot convert). Null pointers are ignored.
ZODAVUDAZ_EXPORT void ZocSetChannelWaveInfo(WAVEINF* src, ChWaveInfo* dst) noexcept;

#endif
