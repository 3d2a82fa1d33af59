#include <zodavudaz/settings/WindowPlacementEntries.h>

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/platform/FormattedPrint.h>
#include <zodavudaz/platform/LongText.h>
#include <zodavudaz/settings/ProfileCauseSetter.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/SettingsNames.h>

namespace {
constexpr char PlacementFormat[] = "%u,%u,%d,%d,%d,%d,%d,%d,%d,%d";
constexpr char MainSection[] = "Settings";
constexpr char PlacementKey[] = "WindowPos";
// Ten numbers of at most 11 characters and nine commas: 117 characters and the zero.
constexpr int PlacementTextSize = 128;

int ReadPlacement(WINDOWPLACEMENT* placement, const CString& fileName, const CString& section) noexcept {
  CString text;
  if (placement == nullptr)
    return ProfileResult(ProfileCause::RefusedName);
  // A text that is not a placement was read whole: a 0 without a cause.
  return GetProfileStringEx(fileName, section, PlacementKey, text) && ScanWindowPlacement(text, *placement) ? 1 : 0;
}

void WritePlacement(const WINDOWPLACEMENT* placement, const CString& fileName, const CString& section) noexcept {
  if (placement == nullptr)
    SetLastProfileCause(ProfileCause::RefusedName);
  else
    WriteProfileStringEx(fileName, section, PlacementKey, FormatWindowPlacement(*placement));
}

/// The module section of a station the database knows; false, a missing section, when it does not.
bool FindModuleSection(WORD station, int slot, CString& section) noexcept {
  CStation* found = nullptr;
  if (!GetDataBase()->GetStationInf(station, &found)) {
    SetLastProfileCause(ProfileCause::MissingSection);
    return false;
  }
  section = ModuleSectionName(found->Name, slot);
  return true;
}
} // namespace

// Reads PlacementFormat as sscanf of the 32-bit build does: a value out of range saturates, as its
// 32-bit strtol and strtoul do, in both builds.
bool ScanWindowPlacement(const CString& text, WINDOWPLACEMENT& placement) noexcept {
  DWORD words[2] = {};
  LONG v[8] = {};
  const char* at = text;
  for (int field = 0; field < 10; ++field) {
    if (field > 0 && *at++ != ',')
      return false;
    const char* end = nullptr;
    if (field < 2)
      words[field] = StrToULong32(at, &end);
    else
      v[field - 2] = StrToLong32(at, &end);
    if (end == at)
      return false;
    at = end;
  }
  placement = {sizeof(WINDOWPLACEMENT), UINT(words[0]), UINT(words[1]), {v[0], v[1]}, {v[2], v[3]},
               {v[4], v[5], v[6], v[7]}};
  return true;
}

CString FormatWindowPlacement(const WINDOWPLACEMENT& placement) noexcept {
  char text[PlacementTextSize];
  const POINT& min = placement.ptMinPosition;
  const POINT& max = placement.ptMaxPosition;
  const RECT& normal = placement.rcNormalPosition;
  wsprintfA(text, PlacementFormat, placement.flags, placement.showCmd, int(min.x), int(min.y), int(max.x), int(max.y),
            int(normal.left), int(normal.top), int(normal.right), int(normal.bottom));
  return CString(text);
}

int ReadWindowPlacement(WINDOWPLACEMENT* placement) noexcept {
  return ReadPlacement(placement, GetDefaultTmpFileName(), MainSection);
}

int ReadWindowPlacementFile(WINDOWPLACEMENT* placement, CString fileName) noexcept {
  return ReadPlacement(placement, fileName, MainSection);
}

void WriteWindowPlacement(const WINDOWPLACEMENT* placement, CString fileName) noexcept {
  WritePlacement(placement, fileName, MainSection);
}

int ReadWindowPlacementEx(WINDOWPLACEMENT* placement, WORD station, int slot) noexcept {
  return ReadWindowPlacementExFile(placement, station, slot, GetDefaultTmpFileName());
}

int ReadWindowPlacementExFile(WINDOWPLACEMENT* placement, WORD station, int slot, CString fileName) noexcept {
  CString section;
  return FindModuleSection(station, slot, section) ? ReadPlacement(placement, fileName, section) : 0;
}

void WriteWindowPlacementEx(const WINDOWPLACEMENT* placement, WORD station, int slot, CString fileName) noexcept {
  CString section;
  if (FindModuleSection(station, slot, section))
    WritePlacement(placement, fileName, section);
}
