// zdz placement get and set: a module window's stored placement, through the library's readers.
#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/database/CStation.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/WindowPlacementEntries.h>

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

void WarnOffScreen(const RECT& rect, const Screen& screen) {
  if (rect.left >= 0 && rect.top >= 0 && rect.right <= screen.Width && rect.bottom <= screen.Height)
    return;
  std::printf("warning: the normal rectangle %ld,%ld,%ld,%ld lies outside the screen %ldx%ld\n",
              static_cast<long>(rect.left), static_cast<long>(rect.top), static_cast<long>(rect.right),
              static_cast<long>(rect.bottom), screen.Width, screen.Height);
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
    return Fail(ExitNotFound, "no complete WindowPos for station '%s' slot %d in '%s'", args[1].c_str(), slot,
                args[0].c_str());
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
  // The writer reports nothing; reading back tells whether the file took it.
  auto write = [&](const char* fileName) {
    WriteWindowPlacementEx(&placement, ToolStationId, slot, fileName);
    WINDOWPLACEMENT readBack{};
    return ReadWindowPlacementExFile(&readBack, ToolStationId, slot, fileName) &&
           FormatWindowPlacement(readBack).Compare(FormatWindowPlacement(placement)) == 0;
  };
  if (write(args[0].c_str()))
    return ExitDone;
  if (!WritesToFreshFile(write))
    return Fail(ExitBadInput, "station name '%s' cannot name a section (a line end or ']' in it)", args[1].c_str());
  return Fail(ExitFileSystem, "cannot write the placement into '%s'", args[0].c_str());
}
} // namespace

const ToolCommand PlacementCommands[] = {
    {"placement", "get", "FILE STATION-NAME SLOT [WIDTHxHEIGHT]",
     "Prints the ten fields of the WindowPos of section Station<NAME>-Module<SLOT> (slot -9: the station's own\n"
     "window); with a screen size, warns when the normal rectangle does not lie wholly on that screen.",
     3, 4, Get},
    {"placement", "set", "FILE STATION-NAME SLOT PLACEMENT",
     "Stores a placement given as ten numbers, comma-separated in one argument or as ten arguments:\n"
     "flags,showCmd,minX,minY,maxX,maxY,left,top,right,bottom.",
     4, 13, Set},
    {nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
};
