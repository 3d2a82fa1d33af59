#include "tests/zdz/ToolProcess.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {
const std::string Settings = "tools/demo/settings/";

struct ToolRow {
  const char* Name;
  std::string Arguments;
  int Exit;
  /// Text that standard output (or, for a failure, standard error) must hold.
  std::string Shows;
};

/// text with the statements first and second trading places.
std::string Swapped(std::string text, const std::string& first, const std::string& second) {
  const std::size_t a = text.find(first), b = text.find(second);
  text.replace(b, second.size(), first);
  return text.replace(a, first.size(), second);
}

std::string Changed(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

void RunRows(const std::vector<ToolRow>& rows) {
  for (const ToolRow& row : rows) {
    SCOPED_TRACE(row.Name);
    const ToolRun run = RunTool(row.Arguments);
    EXPECT_EQ(run.Exit, row.Exit) << run.Err;
    const std::string& shown = row.Exit == 0 ? run.Out : run.Err;
    EXPECT_NE(shown.find(row.Shows), std::string::npos) << shown;
    if (row.Exit != 0) {
      EXPECT_EQ(std::count(run.Err.begin(), run.Err.end(), '\n'), 1) << "one-line error";
    }
  }
}

TEST(ZdzToolTest, ReadsTheSampleSettings) {
  const std::string tmp = Settings + "Mardel.tmp", ini = Settings + "Mardel.ini";
  RunRows({
      {"value", "profile get " + tmp + " StationAlpha Database", 0, "Alpha rack;;second floor\n"},
      {"missing key", "profile get " + tmp + " StationAlpha database", 1,
       "section [StationAlpha] of '" + tmp + "' has no key 'database'"},
      {"missing section", "profile get " + tmp + " StationZulu Database", 1, "no section [StationZulu] in"},
      {"sections in file order", "profile list " + tmp, 0, "[Settings]\n[StationAlpha]\n[StationAlpha-Module-9]\n"},
      {"keys of a section", "profile list " + tmp + " StationBravo", 0, "Config=Tree 1,Toolbar 0,Status 1,Grid 1"},
      {"missing section", "profile list " + tmp + " StationZulu", 1, "no section [StationZulu]"},
      {"clean file", "profile check " + tmp, 0, ""},
      {"station window", "placement get " + tmp + " Alpha -9", 0,
       "rcNormalPosition.left 100\nrcNormalPosition.top 80\nrcNormalPosition.right 700\n"},
      {"off screen", "placement get " + tmp + " Alpha -9 640x480", 0,
       "warning: the normal rectangle 100,80,700,520 lies outside the screen 640x480"},
      {"on screen", "placement get " + tmp + " Alpha 1 1920x1080", 0, "rcNormalPosition.bottom 480\n"},
      {"no placement", "placement get " + tmp + " Charlie 5", 1, "no complete WindowPos"},
      {"bad slot", "placement get " + tmp + " Alpha one", 2, "slot 'one'"},
      {"bad screen", "placement get " + tmp + " Alpha 1 640", 2, "WIDTHxHEIGHT"},
      {"viewer texts quoted", "viewer show " + ini + " StationBravo-Module2", 0, "MathLabel \"\" \"\"\nMathUnit"},
      {"viewer group", "viewer show " + ini + " StationBravo-Module2", 0, "Group1 Inputs\n  CHID 0 1\n"},
      {"no viewer line", "viewer show " + tmp + " StationAlpha", 1, "no Viewer line"},
      {"viewer lines read back", "viewer check " + ini, 0, ""},
      {"no group", "frobnicate", 2, "unknown command group"},
      {"no command", "profile frobnicate", 2, "unknown command"},
      {"too few", "profile get " + tmp, 2, "takes FILE SECTION KEY"},
  });
  for (const char* help :
       {"--help", "profile get --help", "placement set --help", "viewer check --help", "packet decode --help"}) {
    SCOPED_TRACE(help);
    const ToolRun run = RunTool(help);
    EXPECT_EQ(run.Exit, 0);
    EXPECT_EQ(run.Out.rfind("usage: zdz", 0), 0u);
  }
}

TEST(ZdzToolTest, ReportsWhatReadsDifferently) {
  TempFolder folder;
  const std::string file = folder / "odd.ini";
  WriteAll(file, "[A]\r\n"
                 "K=1\r\n"
                 "K=2\r\n"
                 "L=see [B] below\n"
                 "[B]\r\n"
                 "M=1\r\n"
                 "\r\n"
                 "N=never\r\n"
                 "[A]\r\n"
                 "P=1");
  const ToolRun run = RunTool("profile check " + file);
  EXPECT_EQ(run.Exit, 2);
  for (const char* finding :
       {":1: section [A] has no empty line before the next section",
        ":3: key 'K' appears again in section [A]; only line 2",
        ":4: 1 of 10 lines (this one) ends with LF alone, not CR LF", ":4: the value holds '[B]'",
        ":8: stands after the empty line of section [B]", ":9: section [A] appears again; only the one on line 1",
        ":9: section [A] runs to the end of the file", ":10: has no line end: the library reads it whole"})
    EXPECT_NE(run.Out.find(finding), std::string::npos) << finding << "\n" << run.Out;
  EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 8) << run.Out;
}

TEST(ZdzToolTest, ReportsTheLineEndStyleOnceWithWhatItChanges) {
  TempFolder folder;
  const struct {
    const char* Name;
    std::string Bytes;
    int Exit;
    /// The whole output after the file's name.
    std::string Shows;
  } rows[] = {
      {"crlf", "[A]\r\nK=1\r\n\r\n", 0, ""},
      {"lf", "[A]\nK=1\n\n[B]\nL=2\n\n", 2,
       ":1: every line ends with LF alone, not CR LF: the library reads such lines alike, but what it writes into the "
       "file ends with CR LF, so a write leaves the file with both line ends\n"},
      {"mixed", "[A]\r\nK=1\nL=2\n\r\n", 2, ":2: 2 of 4 lines (the first is this one) end with LF alone"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    const std::string file = folder / row.Name;
    WriteAll(file, row.Bytes);
    const ToolRun run = RunTool("profile check " + file);
    EXPECT_EQ(run.Exit, row.Exit);
    EXPECT_EQ(run.Out.find(file + row.Shows), row.Shows.empty() ? std::string::npos : 0u) << run.Out;
    EXPECT_LE(std::count(run.Out.begin(), run.Out.end(), '\n'), 1) << run.Out;
  }
}

TEST(ZdzToolTest, TellsFileSystemFailuresFromBadInput) {
  TempFolder folder;
  const std::string missing = folder / "no-folder/x.ini", file = folder / "x.ini";
  const std::string placement = " A 1 0,1,-1,-1,-1,-1,1,2,3,4";
  RunRows({
      {"get from a missing file", "profile get " + missing + " S K", 3, "cannot open '" + missing + "'"},
      {"list a missing file", "profile list " + missing, 3, "cannot open"},
      {"check a missing file", "profile check " + missing, 3, "cannot open"},
      {"set into a missing folder", "profile set " + missing + " S K V", 3, "cannot write '" + missing + "'"},
      {"set a section the format cannot hold", "profile set " + file + " 'S\nT' K V", 2, "cannot hold these names"},
      {"set a key the format cannot hold", "profile set " + file + " S K=L V", 2, "cannot hold these names"},
      {"set", "profile set " + file + " S K V", 0, ""},
      {"placement into a missing folder", "placement set " + missing + placement, 3, "cannot write the placement"},
      {"placement under a name the format cannot hold", "placement set " + file + " 'A\rB'" + placement.substr(2), 2,
       "station name 'A\rB'"},
      {"viewer show of a missing file", "viewer show " + missing + " S", 3, "cannot open"},
      {"viewer check of a missing file", "viewer check " + missing, 3, "cannot open"},
      {"viewer check of a missing section", "viewer check " + file + " T", 1, "no Viewer line"},
  });
  EXPECT_NE(RunTool("--help").Out.find("3 file-system failure"), std::string::npos);
}

TEST(ZdzToolTest, ViewerCheckReportsEveryStatementByKeyword) {
  TempFolder folder;
  const std::string sample = ReadAll(Settings + "Mardel.ini");
  const std::size_t begin = sample.find("Viewer=") + 7;
  const std::string viewer = sample.substr(begin, sample.find("\r\n", begin) - begin);
  const struct {
    const char* Name;
    std::string Viewer;
    /// Each line of the report, after "[S] Viewer: ".
    std::vector<std::string> Shows;
  } table[] = {
      {"reads back", viewer, {}},
      {"reordered",
       Swapped(viewer, "GridType 1;", "Interpolation 0;"),
       {"the same statements, stored in another order than the library writes them"}},
      {"reordered and one changed",
       Changed(Swapped(viewer, "GridType 1;", "Label 1;"), "Top 80;", "Top 0x50;"),
       {"'Top 0x50' reads back as 'Top 0'"}},
      {"two changed",
       Changed(Changed(viewer, "Left 100;", "Left 1e2;"), "TimeFmt 0;", "TimeFmt -0;"),
       {"'TimeFmt -0' reads back as 'TimeFmt 0'", "'Left 1e2' reads back as 'Left 1'"}},
      {"unknown and dropped",
       Changed(viewer, "TyXy 0;", "TyXz 0;"),
       {"statement 14 'TyXz 0' is not written back",
        "1 statements not stored are written with what the record holds: TyXy"}},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.Name);
    const std::string file = folder / row.Name;
    WriteAll(file, "[S]\r\nViewer=" + row.Viewer + "\r\n\r\n");
    const ToolRun run = RunTool("viewer check '" + file + "'");
    EXPECT_EQ(run.Exit, row.Shows.empty() ? 0 : 2) << run.Err;
    std::string expected;
    for (const std::string& line : row.Shows)
      expected += "[S] Viewer: " + line + "\n";
    EXPECT_EQ(run.Out, expected);
  }
}

TEST(ZdzToolTest, SurvivesMalformedFiles) {
  TempFolder folder;
  const std::string sample = ReadAll(Settings + "Mardel.ini");
  std::string binary;
  for (int i = 0; i < 4096; ++i)
    binary += static_cast<char>((i * 7919) % 256);
  const std::string viewerLine = sample.substr(sample.find("Viewer="), 300);
  const struct {
    const char* Name;
    std::string Bytes;
    int CheckExit;
    /// Of viewer check; 0 for "1 or 2".
    int ViewerExit;
  } files[] = {
      {"truncated", sample.substr(0, sample.size() / 3), 2, 0},
      {"binary", binary, 2, 1},
      {"huge line", "[S]\r\nViewer=" + std::string(2 << 20, 'x') + "\r\n\r\n", 0, 2},
      {"empty", "", 0, 1},
      {"cut viewer line", "[S]\r\n" + viewerLine + "\r\n\r\n", 0, 2},
  };
  for (const auto& row : files) {
    SCOPED_TRACE(row.Name);
    const std::string file = folder / row.Name;
    WriteAll(file, row.Bytes);
    EXPECT_EQ(RunTool("profile check '" + file + "'").Exit, row.CheckExit);
    EXPECT_LE(RunTool("profile list '" + file + "'").Exit, 1);
    EXPECT_LE(RunTool("profile get '" + file + "' S Viewer").Exit, 1);
    EXPECT_LE(RunTool("placement get '" + file + "' S 1").Exit, 1);
    const int viewer = RunTool("viewer check '" + file + "'").Exit;
    EXPECT_TRUE(row.ViewerExit == 0 ? viewer == 1 || viewer == 2 : viewer == row.ViewerExit) << viewer;
    EXPECT_LE(RunTool("viewer show '" + file + "' S").Exit, 2);
  }
}

TEST(ZdzToolTest, DecodesPackets) {
  const std::string module = "1C000000 2C000000 01000000 01000000 02 0A 0C94 10 01 0000 03000000 00000000";
  const std::string data = " 010002000300 0400050006000700";
  const std::string station = std::string(28 * 2, '0');
  RunRows({
      {"module", "packet decode " + module + data, 0,
       "command id      0x0A: group 10 (query), request\ncontrol         0x940C: id 0x40C, offset 9\n"},
      {"module data", "packet decode " + module + data, 0,
       "data            12 bytes 01 00 02 00 03 00 04 00 05 00 06 00\n"
       "note: 2 bytes after"},
      {"data short", "packet decode " + module + " 0100", 0, "warning: the packet claims 12 data bytes, 2 were given"},
      {"station", "packet decode --station " + station + module + data, 0, "module packet\n  size            28"},
      {"semi", "packet decode --semi 02 8A 0C04 10 01 0000 02000000 00000000 01000200", 0,
       "command id      0x8A: group 10 (query), reply\n"},
      {"short header", "packet decode 1C00", 2, "needs 32"},
      {"odd digit", "packet decode " + module + " 0", 2, "hex digits"},
      {"not hex", "packet decode " + module + " zz", 2, "hex digits"},
      {"no bytes", "packet decode --semi", 2, "no packet bytes"},
  });
  const ToolRun fromInput = RunTool("packet decode -", module + "\n" + data + "\n");
  EXPECT_EQ(fromInput.Exit, 0);
  EXPECT_NE(fromInput.Out.find("param num       3\n"), std::string::npos) << fromInput.Out;
}
} // namespace
