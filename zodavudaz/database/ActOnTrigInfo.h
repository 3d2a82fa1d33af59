// The save-on-trigger settings of a module, handed by address to the sequence thread.
#ifndef ZODAVUDAZ_DATABASE_ACTONTRIGINFO_H
#define ZODAVUDAZ_DATABASE_ACTONTRIGINFO_H

#include <zodavudaz/platform/BaseTypes.h>

#include <cstddef>

/// Fixed 412-byte layout; the unnamed bytes belong to the sequence thread and are never set here.
struct ActOnTrigInfo {
  BYTE Reserved0;
  BYTE TrigSetting1;
  BYTE TrigSetting2;
  BYTE TrigSetting3;
  BYTE TrigSetting4;
  BYTE TrigSetting5;
  BYTE TrigSetting6;
  BYTE TrigSetting7;
  BYTE TrigSetting8;
  BYTE Reserved9[7];
  int TrigValue;
  /// Number of files in save mode.
  int FileNum;
  /// First file number in save mode.
  int FileStartNo;
  char SaveDirectory[256];
  char SaveFileName[128];
};
static_assert(sizeof(ActOnTrigInfo) == 412);
static_assert(offsetof(ActOnTrigInfo, TrigSetting1) == 1);
static_assert(offsetof(ActOnTrigInfo, TrigSetting8) == 8);
static_assert(offsetof(ActOnTrigInfo, TrigValue) == 16);
static_assert(offsetof(ActOnTrigInfo, FileNum) == 20);
static_assert(offsetof(ActOnTrigInfo, FileStartNo) == 24);
static_assert(offsetof(ActOnTrigInfo, SaveDirectory) == 28);
static_assert(offsetof(ActOnTrigInfo, SaveFileName) == 284);

#endif
