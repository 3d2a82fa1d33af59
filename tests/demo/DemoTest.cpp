// Starts zdz-demo (ZDZ_TOOL names it) as a new user does: without arguments, and against station
// files of their own.
#include "tests/zdz/ToolProcess.h"
#include <zodavudaz/sim/VirtualStationFile.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {
const std::string ShippedSettings = "tools/demo/settings";

/// Every file of folder by name, with its bytes.
std::map<std::string, std::string> FilesOf(const std::string& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
    files[entry.path().string()] = ReadAll(entry.path().string());
  return files;
}

std::size_t Occurrences(const std::string& text, const std::string& part) {
  std::size_t count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++count;
  return count;
}

/// Runs the demo with ZDZ_VIRTUAL_STATIONS set to stationFile (unset when empty).
ToolRun RunDemo(const std::string& arguments, const std::string& stationFile = "") {
  if (stationFile.empty())
    ::unsetenv(VirtualStationsVariable);
  else
    ::setenv(VirtualStationsVariable, stationFile.c_str(), 1);
  ToolRun run = RunTool(arguments);
  ::unsetenv(VirtualStationsVariable);
  return run;
}

TEST(DemoTest, PlaysTheShippedStationsInIdOrderShowingEachPostOnceAndWritesOnlyIntoACopy) {
  const std::map<std::string, std::string> before = FilesOf(ShippedSettings);
  const ToolRun run = RunDemo("");
  ASSERT_EQ(run.Exit, 0) << run.Err;
  EXPECT_EQ(run.Err, "");
  std::size_t last = 0;
  for (const char* station : {"\nstation 0 ", "\nstation 1 ", "\nstation 2 ", "\nstation 16 "}) {
    const std::size_t at = run.Out.find(station);
    ASSERT_NE(at, std::string::npos) << station;
    EXPECT_GT(at, last) << station << " in id order";
    last = at;
  }
  EXPECT_EQ(FilesOf(ShippedSettings), before) << "the shipped settings are copied, never written";
  // The copy of the settings the demo says it worked on.
  const std::size_t copy = run.Out.find("copied to ") + 10;
  const std::string copyFolder = run.Out.substr(copy, run.Out.find(" (the demo writes", copy) - copy);
  EXPECT_FALSE(std::filesystem::exists(copyFolder)) << "the copy goes at the end";
  // Each post is shown once, under the call that made it: the buttons of the control scene and of
  // the live sequence.
  EXPECT_EQ(Occurrences(run.Out, "received 0x437"), 4u);
  EXPECT_EQ(Occurrences(run.Out, "received 0x44A"), 2u);
  for (const char* shown : {"WriteWindowPlacementEx for station 1 module 1 stored (50, 40, 650, 450); "
                            "ReadWindowPlacementExFile: 1 (50, 40, 650, 450)",
                            "ZocStartButton: 0 (success)\n  the sequence thread received 0x437 (start/stop button): "
                            "kind 2 (button), start flag 1, stop flag 0; station 1 module 0x01",
                            "ZocStopButton: 0 (success)\n  the sequence thread received 0x437 (start/stop button): "
                            "kind 2 (button), start flag 0, stop flag 0; station 1 module 0x01",
                            "IsSeqRun(1, 1): 1, IsMeasEvent: 1\n1.002 s on:\n  announced: station 1 module 0x01 "
                            "acquisition 1, time stamp 1700000001\n  current value of channel 0: 100.000",
                            "StopViewer(1, 1):\n  the sequence thread received 0x44A (stop viewer): kind 0 (stop "
                            "viewer), start flag 0, stop flag 1; station 1 module 0x01",
                            "which stops its viewer first:\n  the sequence thread received 0x44A (stop viewer): kind 0 "
                            "(stop viewer), start flag 0, stop flag 1; station 0 module 0x10"})
    EXPECT_NE(run.Out.find(shown), std::string::npos) << shown;
}

struct OwnFileRow {
  const char* Name;
  std::string Description;
  /// Lines the output must hold.
  std::vector<std::string> Shows;
};

const OwnFileRow OwnFileRows[] = {
    {"OneStationOfOddIds",
     "[Stations]\nNames=Solo\n\n[StationSolo]\nId=7\nModel=RA800\nModules=5,0x23\n\n"
     "[StationSolo-Module5]\nProduct=ZO9\nProductWord=0x900\nChannels=3\nDataType=0x32\nPoints=10\n"
     "Wave=square 2 125 1\n\n[StationSolo-Module35]\nProduct=ZO9x\nProductWord=0x900\nChannels=0\n",
     {"acquired data, queries, viewer settings, buttons: station 7, module 0x05",
      "module test: station 7, module 0x05 (the one above: the station file has no connected group of modules)",
      "front-end usage registry: skipped, the station file has no front end",
      "\nstation 7   Solo     RA800    slots 8\n  module 0x05  ZO9     channels 3 ",
      "  module 0x23  ZO9     channels 0   master 35  members 1  position 0  (extra module)\n",
      "  channel 2  type 0x32 (64-bit double)  10 points 0.001 s apart",
      "GetAcqDataEx(channel 1, 8 points forward from point 0): result 0 (success), type 0x32, size 128 (bytes: every "
      "point asked for)\n  [3..3] [3..3] [3..3] [3..3] [-1..-1] [-1..-1] [-1..-1] [-1..-1] ",
      "GetAcqDataEx(channel 1, 8 points forward from point 8): result 0 (success), type 0x32, size 4 (elements: all "
      "the module holds from there)\n  [3..3] [3..3]  (",
      "module test item 5 of station 7 slot 5 (a module of no group): result 0",
      "RegistFrontendUsedModule: skipped, no front end under station 0\n",
      "Exit: 0 stations left; frontend of station 7 module 0x05 destroyed 1 time(s):\n"
      "  the sequence thread received nothing\n"}},
    {"NoStations",
     "[Stations]\nNames=\n",
     {"acquired data, queries, viewer settings, buttons: skipped, the station file has no module with channels",
      "module test: skipped, the station file has no module to test", "GUI query through a frontend: skipped",
      "stored viewer settings: skipped", "module test: skipped, no module to test", "start and stop buttons: skipped",
      "acquired data, queries, registry and viewer stop: skipped",
      "Exit: 0 stations left:\n  the sequence thread received nothing\n"}},
    {"OnlyAFrontEnd",
     "[Stations]\nNames=F\n\n[StationF]\nId=0\nModel=\nModules=0x10\n\n"
     "[StationF-Module16]\nProduct=ZO1\nProductWord=0x100\nChannels=2\n",
     {"acquired data, queries, viewer settings, buttons: skipped, the station file has no module with channels "
      "outside station 0",
      "front-end usage registry: front end 0x10",
      "Exit: 0 stations left; front end 0x10 1 time(s), which stops its viewer first:\n"
      "  the sequence thread received 0x44A"}},
};

TEST(DemoTest, PlaysAStationFileOfOnesOwnAndSaysWhatItSkips) {
  const TempFolder folder;
  for (const OwnFileRow& row : OwnFileRows) {
    SCOPED_TRACE(row.Name);
    const std::string file = folder / "my.ini";
    WriteAll(file, row.Description);
    const ToolRun run = RunDemo("", file);
    ASSERT_EQ(run.Exit, 0) << run.Err;
    EXPECT_NE(run.Out.find("stations, modules and waveforms from " + file + ",\n"), std::string::npos);
    for (const std::string& shown : row.Shows)
      EXPECT_NE(run.Out.find(shown), std::string::npos) << shown << "\nin\n" << run.Out;
  }
}

TEST(DemoTest, ArgumentsItCannotPlayAreRefusedWithTheReason) {
  const TempFolder folder;
  WriteAll(folder / "refused.ini", "[Stations]\nNames=A\n");
  const std::string usage = "usage: zdz-demo [SETTINGS-FOLDER [STATION-FILE]]\n";
  const struct {
    const char* Name;
    std::string Arguments;
    int Exit;
    /// A text standard output holds.
    std::string Out;
    /// The start of standard error.
    std::string Err;
  } rows[] = {
      {"help naming the shipped files it finds", "--help", 0, "/share/zodavudaz/demo/VirtualStations.ini\n", ""},
      {"short help", "-h", 0, usage, ""},
      {"unknown option", "--verbose", 2, "", usage},
      {"too many arguments", "a b c", 2, "", usage},
      {"missing settings folder", std::string("'").append(folder / "none").append("'"), 1, "",
       "zdz-demo: the settings folder " + (folder / "none") + " is missing or no folder\n"},
      {"refused station file", ShippedSettings + " '" + (folder / "refused.ini") + "'", 1, "",
       "zdz-demo: " + (folder / "refused.ini") + " [StationA]: section missing\n"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    const ToolRun run = RunDemo(row.Arguments);
    EXPECT_EQ(run.Exit, row.Exit);
    EXPECT_NE(run.Out.find(row.Out), std::string::npos) << run.Out;
    EXPECT_EQ(run.Err.substr(0, row.Err.size()), row.Err);
    EXPECT_TRUE(row.Exit == 0 || run.Out.empty()) << "a refusal prints nothing on standard output: " << run.Out;
  }
}
} // namespace
