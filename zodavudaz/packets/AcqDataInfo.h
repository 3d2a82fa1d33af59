// The library's 104-byte acquisition information record, filled from one WAVEINF.
#ifndef ZODAVUDAZ_PACKETS_ACQDATAINFO_H
#define ZODAVUDAZ_PACKETS_ACQDATAINFO_H

#include <zodavudaz/platform/BaseTypes.h>

#include <cstddef>

/// The fields of a WAVEINF widened to 16 bits and its five values converted to double.
struct _AcqDataInfo {
  WORD WordA;
  WORD DataType;
  WORD WordB;
  WORD ByteC;
  WORD ByteD;
  WORD WordM;
  DWORD PointNum;
  DWORD DwordK;
  DWORD DwordL;
  /// Dwords E to J of the WAVEINF, in order.
  DWORD DwordEToJ[6];
  /// Dwords N to Q of the WAVEINF, in order.
  DWORD DwordNToQ[4];
  double Values[5];
};
static_assert(sizeof(_AcqDataInfo) == 104);
static_assert(offsetof(_AcqDataInfo, DataType) == 2);
static_assert(offsetof(_AcqDataInfo, WordB) == 4);
static_assert(offsetof(_AcqDataInfo, ByteC) == 6);
static_assert(offsetof(_AcqDataInfo, ByteD) == 8);
static_assert(offsetof(_AcqDataInfo, WordM) == 10);
static_assert(offsetof(_AcqDataInfo, PointNum) == 12);
static_assert(offsetof(_AcqDataInfo, DwordK) == 16);
static_assert(offsetof(_AcqDataInfo, DwordL) == 20);
static_assert(offsetof(_AcqDataInfo, DwordEToJ) == 24);
static_assert(offsetof(_AcqDataInfo, DwordNToQ) == 48);
static_assert(offsetof(_AcqDataInfo, Values) == 64);

#endif
