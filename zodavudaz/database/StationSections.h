// The sections of one station in a loaded settings file, found in one pass over it.
#ifndef ZODAVUDAZ_DATABASE_STATIONSECTIONS_H
#define ZODAVUDAZ_DATABASE_STATIONSECTIONS_H

#include <zodavudaz/platform/CString.h>
#include <zodavudaz/settings/ProfileImage.h>

/// The station's own section and its module sections of slots -9 (the station window) to 8, each
/// where a search for it alone would find it first.
class StationSections {
public:
  static constexpr int FirstSlot = -9;
  static constexpr int LastSlot = 8;

  StationSections(const ProfileImage& image, const CString& stationName) noexcept;

  /// The value of key in the station's section; false and empty text when either is missing.
  bool GetStationString(LPCTSTR key, CString& value) const noexcept { return GetString(0, key, value); }
  /// The value of key in the module section of slot (-9 or 0 to 8); false and empty text when
  /// either is missing.
  bool GetModuleString(int slot, LPCTSTR key, CString& value) const noexcept;

private:
  // The station's section, then the module sections of slots -9 and 0 to 8.
  static constexpr int SectionCount = 11;
  static int IndexOf(int slot) noexcept { return slot == FirstSlot ? 1 : slot + 2; }
  bool GetString(int index, LPCTSTR key, CString& value) const noexcept;

  const ProfileImage& Image;
  ProfileSection Sections[SectionCount] = {};
  bool Found[SectionCount] = {};
};

#endif
