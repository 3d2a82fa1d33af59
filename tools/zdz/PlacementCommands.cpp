// zdz placement get and set: a module window's stored placement, through the library's readers.
#include "tools/zdz/ProfileFailure.h"
#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/database/CStation.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/WindowPlacementEntries.h>

#include <algorithm>
#include <cstdio>

namespace {
// The readers look the station's name up in the database; the tool files this one under it.
constexpr WORD ToolStationId = 1;

/// Files a station of the given name for as long as it lives.
class TemporaryStation {
public:
  explicit TemporaryStation(const std::string& name) {
    Station.StationId = ToolStationId;
    Station.Name = name.c_str();
    GetDataBase()->StationMap.SetAt(ToolStationId, &Station);
  }
  ~TemporaryStation() { GetDataBase()->StationMap.RemoveKey(ToolStationId); }
  TemporaryStation(const TemporaryStation&) = delete;
  TemporaryStation& operator=(const TemporaryStation&) = delete;

private:
  CStation Station;
};

struct Screen {
  long Width = 0;
  long Height = 0;
};

bool ParseSlot(const std::string& text, int& slot) {
  long value = 0;
  if (!ParseNumber(text, -0x7FFFFFFFL - 1, 0x7FFFFFFFL, value))
    return false;
  slot = static_cast<int>(value);
  return true;
}

bool ParseScreen(const std::string& text, Screen& screen) {
  const std::size_t by = text.find('x');
  return by != std::string::npos && ParseNumber(text.substr(0, by), 1, 0x7FFFFFFFL, screen.Width) &&
         ParseNumber(text.substr(by + 1), 1, 0x7FFFFFFFL, screen.Height);
}

void PrintPlacement(const WINDOWPLACEMENT& placement) {
  std::printf("flags %u\nshowCmd %u\nptMinPosition.x %ld\nptMinPosition.y %ld\nptMaxPosition.x %ld\n"
              "ptMaxPosition.y %ld\nrcNormalPosition.left %ld\nrcNormalPosition.top %ld\n"
              "rcNormalPosition.right %ld\nrcNormalPosition.bottom %ld\n",
              placement.flags, placement.showCmd, static_cast<long>(placement.ptMinPosition.x),
              static_cast<long>(placement.ptMinPosition.y), static_cast<long>(placement.ptMaxPosition.x),
              static_cast<long>(placement.ptMaxPosition.y), static_cast<long>(placement.rcNormalPosition.left),
              static_cast<long>(placement.rcNormalPosition.top), static_cast<long>(placement.rcNormalPosition.right),
              static_cast<long>(placement.rcNormalPosition.bottom));
}

/// The part of rect's area on the screen, in percent; 0 for an empty rectangle.
long long PercentOnScreen(const RECT& rect, const Screen& screen) {
  const long long width = static_cast<long long>(rect.right) - rect.left;
  const long long height = static_cast<long long>(rect.bottom) - rect.top;
  const long long shownWidth = std::min<long long>(rect.right, screen.Width) - std::max<long long>(rect.left, 0);
  const long long shownHeight = std::min<long long>(rect.bottom, screen.Height) - std::max<long long>(rect.top, 0);
  if (width <= 0 || height <= 0 || shownWidth <= 0 || shownHeight <= 0)
    return 0;
  return shownWidth * shownHeight * 100 / (width * height);
}

void WarnOffScreen(const RECT& rect, const Screen& screen) {
  if (rect.left >= 0 && rect.top >= 0 && rect.right <= screen.Width && rect.bottom <= screen.Height)
    return;
  std::printf("warning: the normal rectangle %ld,%ld,%ld,%ld ", static_cast<long>(rect.left),
              static_cast<long>(rect.top), static_cast<long>(rect.right), static_cast<long>(rect.bottom));
  if (const long long percent = PercentOnScreen(rect, screen))
    std::printf("reaches past the edge of the screen %ldx%ld (%lld%% of it is on the screen)\n", screen.Width,
                screen.Height, percent);
  else
    std::printf("lies outside the screen %ldx%ld\n", screen.Width, screen.Height);
}

std::string SectionOf(const std::string& station, int slot) {
  return "Station" + station + "-Module" + std::to_string(slot);
}

/// Why no placement was read from fileName, and the exit code.
int FailToRead(const std::string& fileName, const std::string& section) {
  const char* file = fileName.c_str();
  switch (const ProfileCause cause = GetLastProfileCause()) {
  case ProfileCause::MissingSection: return Fail(ExitNotFound, "no section [%s] in '%s'", section.c_str(), file);
  case ProfileCause::MissingKey:
    return Fail(ExitNotFound, "section [%s] of '%s' has no key 'WindowPos'", section.c_str(), file);
  case ProfileCause::None: {
    CString text;
    GetProfileStringEx(file, section.c_str(), "WindowPos", text);
    return Fail(ExitBadInput, "the WindowPos of [%s] in '%s' is not ten numbers: '%s'", section.c_str(), file,
                static_cast<LPCTSTR>(text));
  }
  default: return FailForFile(cause, fileName, FileUse::Read);
  }
}

int Get(const ToolArguments& args) {
  int slot = 0;
  Screen screen;
  if (!ParseSlot(args[2], slot))
    return Fail(ExitBadInput, "slot '%s' is not a number", args[2].c_str());
  if (args.size() == 4 && !ParseScreen(args[3], screen))
    return Fail(ExitBadInput, "screen size '%s' is not WIDTHxHEIGHT", args[3].c_str());
  TemporaryStation station(args[1]);
  WINDOWPLACEMENT placement{};
  if (!ReadWindowPlacementExFile(&placement, ToolStationId, slot, args[0].c_str()))
    return FailToRead(args[0], SectionOf(args[1], slot));
  PrintPlacement(placement);
  if (screen.Width != 0)
    WarnOffScreen(placement.rcNormalPosition, screen);
  return ExitDone;
}

/// The ten fields as one comma-separated text, exactly in the stored form.
bool ParsePlacement(const ToolArguments& fields, WINDOWPLACEMENT& placement) {
  std::string text;
  for (const std::string& field : fields)
    text += (text.empty() ? "" : ",") + field;
  return ScanWindowPlacement(text.c_str(), placement) && FormatWindowPlacement(placement).Compare(text.c_str()) == 0;
}

int Set(const ToolArguments& args) {
  int slot = 0;
  if (!ParseSlot(args[2], slot))
    return Fail(ExitBadInput, "slot '%s' is not a number", args[2].c_str());
  WINDOWPLACEMENT placement{};
  if (!ParsePlacement(ToolArguments(args.begin() + 3, args.end()), placement))
    return Fail(ExitBadInput, "a placement is ten numbers: flags,showCmd,minX,minY,maxX,maxY,left,top,right,bottom");
  TemporaryStation station(args[1]);
  WriteWindowPlacementEx(&placement, ToolStationId, slot, args[0].c_str());
  const ProfileCause cause = GetLastProfileCause();
  if (cause == ProfileCause::None)
    return ExitDone;
  if (cause == ProfileCause::RefusedName)
    return Fail(ExitBadInput, "station name '%s' cannot name a section (a line end in it)", args[1].c_str());
  return FailForFile(cause, args[0], FileUse::Write);
}
} // namespace

const ToolCommand PlacementCommands[] = {
    {"placement", "get", "FILE STATION-NAME SLOT [WIDTHxHEIGHT]",
     "Prints the ten fields of the WindowPos of section Station<NAME>-Module<SLOT> (slot -9: the station's own\n"
     "window); with a screen size, warns when the normal rectangle does not lie wholly on that screen, saying\n"
     "how much of it does. Exit 1 when the file, section or key is missing, 2 when the WindowPos is not ten\n"
     "numbers.",
     3, 4, Get},
    {"placement", "set", "FILE STATION-NAME SLOT PLACEMENT",
     "Stores a placement given as ten numbers, comma-separated in one argument or as ten arguments:\n"
     "flags,showCmd,minX,minY,maxX,maxY,left,top,right,bottom.",
     4, 13, Set},
    {nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
};
