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
      {"missing key", "profile get " + tmp + " StationAlpha database", 1, "no key 'database'"},
      {"missing file", "profile get /nonexistent/x S K", 1, "cannot open"},
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
        ":3: key 'K' appears again in section [A]; only line 2", ":4: ends with LF alone", ":4: the value holds '[B]'",
        ":8: stands after the empty line of section [B]", ":9: section [A] appears again; only the one on line 1",
        ":9: section [A] runs to the end of the file", ":10: has no line end"})
    EXPECT_NE(run.Out.find(finding), std::string::npos) << finding << "\n" << run.Out;
  EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 8) << run.Out;
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
