// The 128-byte wave information record that a module sends about one channel's acquisition.
#ifndef ZODAVUDAZ_PACKETS_WAVEINF_H
#define ZODAVUDAZ_PACKETS_WAVEINF_H

#include <zodavudaz/platform/BaseTypes.h>

#include <cstddef>

/// Sent by a module, records back to back in a reply. The library reads DataType and PointNum and
/// carries every other field through untouched (ZocSetChannelWaveInfo and GetAcqInfo copy some);
/// what they hold is the module's. Values 0 to 4 are stored as DataType says, from the first byte
/// of their slot. docs/acquired-data.md shows what the simulated modules send.
struct WAVEINF {
  DWORD Reserved0;
  /// Channel number, counted from 0.
  WORD WordA;
  WORD WordB;
  /// Type code of values 0 to 4.
  BYTE DataType;
  BYTE ByteC;
  BYTE ByteD;
  BYTE Reserved11;
  /// Data points of the acquisition.
  DWORD PointNum;
  /// E and F together hold one double, E its first 4 bytes: the sample interval (the simulated
  /// modules: seconds between points). Read it with memcpy from &DwordE; ZocSetChannelWaveInfo
  /// copies it to ChWaveInfo::Interval.
  DWORD DwordE;
  DWORD DwordF;
  DWORD DwordG;
  DWORD DwordH;
  DWORD DwordI;
  DWORD DwordJ;
  BYTE Value0[8];
  BYTE Value1[8];
  BYTE Value2[8];
  DWORD DwordK;
  DWORD Reserved68;
  BYTE Value3[8];
  BYTE Value4[8];
  DWORD DwordL;
  WORD WordM;
  WORD SecondUnitCode;
  DWORD DwordN;
  DWORD DwordO;
  DWORD DwordP;
  DWORD DwordQ;
  WORD UnitCode;
  WORD Reserved114;
  /// User unit texts, not zero-terminated when 4 characters long.
  char UnitText1[4];
  char UnitText2[4];
  /// Seconds since 1970-01-01; 0 or 0xFFFFFFFF for none.
  DWORD TimeStamp;
};
static_assert(sizeof(WAVEINF) == 128);
static_assert(offsetof(WAVEINF, WordA) == 4);
static_assert(offsetof(WAVEINF, WordB) == 6);
static_assert(offsetof(WAVEINF, DataType) == 8);
static_assert(offsetof(WAVEINF, ByteC) == 9);
static_assert(offsetof(WAVEINF, ByteD) == 10);
static_assert(offsetof(WAVEINF, PointNum) == 12);
static_assert(offsetof(WAVEINF, DwordE) == 16);
static_assert(offsetof(WAVEINF, DwordJ) == 36);
static_assert(offsetof(WAVEINF, Value0) == 40);
static_assert(offsetof(WAVEINF, Value1) == 48);
static_assert(offsetof(WAVEINF, Value2) == 56);
static_assert(offsetof(WAVEINF, DwordK) == 64);
static_assert(offsetof(WAVEINF, Value3) == 72);
static_assert(offsetof(WAVEINF, Value4) == 80);
static_assert(offsetof(WAVEINF, DwordL) == 88);
static_assert(offsetof(WAVEINF, WordM) == 92);
static_assert(offsetof(WAVEINF, SecondUnitCode) == 94);
static_assert(offsetof(WAVEINF, DwordN) == 96);
static_assert(offsetof(WAVEINF, DwordQ) == 108);
static_assert(offsetof(WAVEINF, UnitCode) == 112);
static_assert(offsetof(WAVEINF, UnitText1) == 116);
static_assert(offsetof(WAVEINF, UnitText2) == 120);
static_assert(offsetof(WAVEINF, TimeStamp) == 124);

#endif
