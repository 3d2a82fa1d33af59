#include "tests/zdz/ToolProcess.h"

#include <zodavudaz/settings/ProfileLock.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <sys/xattr.h>

namespace {
const std::string Settings = "tools/demo/settings/";

struct ToolRow {
  const char* Name;
  std::string Arguments;
  int Exit;
  /// Text that standard output (or, for a failure, standard error) must hold.
  std::string Shows;
};

std::string Changed(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

/// text with the statements first and second trading places, through a byte that neither holds.
std::string Swapped(const std::string& text, const std::string& first, const std::string& second) {
  return Changed(Changed(Changed(text, first, "\x01"), second, first), "\x01", second);
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

/// Each test's own folder, for the files the tool reads and writes.
class ZdzToolTest : public ::testing::Test {
protected:
  /// The path of name in the folder, written with bytes.
  std::string Written(const std::string& name, const std::string& bytes) const {
    const std::string file = Folder / name;
    WriteAll(file, bytes);
    return file;
  }

  TempFolder Folder;
  const std::string Sample = ReadAll(Settings + "Mardel.ini");
};

TEST_F(ZdzToolTest, ReadsTheSampleSettings) {
  const std::string tmp = Settings + "Mardel.tmp", ini = Settings + "Mardel.ini";
  RunRows({
      {"value", "profile get " + tmp + " StationAlpha Database", 0, "Alpha rack;;second floor\n"},
      {"missing key", "profile get " + tmp + " StationAlpha database", 1,
       "section [StationAlpha] of '" + tmp + "' has no key 'database'"},
      {"sections in file order", "profile list " + tmp, 0, "[Settings]\n[StationAlpha]\n[StationAlpha-Module-9]\n"},
      {"keys of a section", "profile list " + tmp + " StationBravo", 0, "Config=Tree 1,Toolbar 0,Status 1,Grid 1"},
      {"clean file", "profile check " + tmp, 0, tmp + ": every line reads as it looks\n"},
      {"station window", "placement get " + tmp + " Alpha -9", 0,
       "rcNormalPosition.left 100\nrcNormalPosition.top 80\nrcNormalPosition.right 700\n"},
      {"partly off screen", "placement get " + tmp + " Alpha -9 640x480", 0,
       "warning: the normal rectangle 100,80,700,520 reaches past the edge of the screen 640x480 (81% of it is on "
       "the screen)\n"},
      {"wholly off screen", "placement get " + tmp + " Alpha -9 90x70", 0,
       "warning: the normal rectangle 100,80,700,520 lies outside the screen 90x70\n"},
      {"on screen", "placement get " + tmp + " Alpha 1 1920x1080", 0, "rcNormalPosition.bottom 480\n"},
      {"no placement", "placement get " + tmp + " Charlie 5", 1,
       "section [StationCharlie-Module5] of '" + tmp + "' has no key 'WindowPos'"},
      {"no placement section", "placement get " + tmp + " Charlie 6", 1, "no section [StationCharlie-Module6] in"},
      {"bad slot", "placement get " + tmp + " Alpha one", 2, "slot 'one'"},
      {"bad screen", "placement get " + tmp + " Alpha 1 640", 2, "WIDTHxHEIGHT"},
      {"viewer lines read back", "viewer check " + ini, 0,
       ini + ": every Viewer and Group line reads back to its own text\n"},
      {"viewer show of a section without one", "viewer show " + tmp + " StationAlpha", 1,
       "no Viewer line in section [StationAlpha] of '" + tmp + "'"},
      {"no group", "frobnicate", 2, "unknown command group"},
      {"no command", "profile frobnicate", 2, "unknown command"},
      {"too few", "profile get " + tmp, 2, "takes FILE SECTION KEY"},
      {"help", "--help", 0, "usage: zdz"},
      {"a command's help", "profile get --help", 0, "usage: zdz profile get"},
      {"short help", "profile -h", 0, "usage: zdz"},
      {"a group's help", "placement --help", 0, "zdz placement get"},
  });
  EXPECT_EQ(RunTool("placement --help").Out.find("zdz profile get"), std::string::npos) << "only the group's commands";
}

// The check reads as the library does: its sections, their ends, its header rule and its journal.
TEST_F(ZdzToolTest, CheckReportsWhatReadsDifferentlyOnceALine) {
  const struct {
    const char* Name;
    std::string Bytes;
    /// Every line of the report, after the file's name, in order; none for a clean file.
    std::vector<std::string> Findings;
    /// A writer killed during an in-place write left a journal mark, whose journal is gone.
    bool StaleJournal = false;
  } rows[] = {
      {"clean", "[A]\r\nK=1\r\n\r\n", {}},
      {"repeats, stray lines and line ends",
       "[A]\r\nK=1\r\nK=2\r\nL=see [B] below\n[B]\r\nM=1\r\n\r\nN=never\r\n[A]\r\nP=1",
       {":1: section [A] has no empty line before the next section",
        ":3: key 'K' appears again in section [A]; only line 2", ":4: the value holds '[B]'",
        ":4: 1 of 10 lines (this one) ends with LF alone, not CR LF", ":8: stands after the empty line of section [B]",
        ":9: section [A] appears again; only the one on line 1", ":9: section [A] runs to the end of the file",
        ":10: has no line end: the library reads it whole"}},
      {"an LF alone inside a CR LF section ends nothing",
       "[S]\r\nA=1\r\n\nB=2\r\n\r\n",
       {":3: is an empty line without CR LF, which does not end section [S] (its header line ends with CR LF): the "
        "lines after it still belong to it",
        ":3: 1 of 5 lines (this one) ends with LF alone"}},
      {"a header with text after it is none",
       "[S]\r\nA=1\r\n[T] old\r\nB=2\r\n\r\n",
       {":3: is no section header, as text follows its ']': the library reads it as a line of section [S]"}},
      {"a line without =", "[S]\r\nA=1\r\nnote\r\n\r\n", {":3: has no '=', so it holds no key of section [S]"}},
      {"a byte-order mark", "\xEF\xBB\xBF[S]\r\nA=1\r\n\r\n", {":1: begins with a UTF-8 byte-order mark"}},
      {"a CR alone at the end",
       "[S]\r\nA=1\r",
       {":1: section [S] runs to the end of the file without its empty line", ":2: ends with a CR alone"}},
      {"brackets in a name", "[X]y]\r\nK=1\r\n\r\n[Line[2]]\r\nK=2\r\n\r\n", {}},
      {"lines outside sections",
       "note\r\n[S]\r\nA=1\r\n\r\n[T old\r\n",
       {":1: stands before the first section and is never read", ":5: is no section header",
        ":5: stands after the empty line of section [S] and is never read"}},
      {"LF alone throughout, said once with what a write changes",
       "[A]\nK=1\n\n[B]\nL=2\n\n",
       {":1: every line ends with LF alone, not CR LF: the library reads such lines alike, but what it writes into the "
        "file ends with CR LF, so a write leaves the file with both line ends"}},
      {"LF alone in some lines, said once",
       "[A]\r\nK=1\nL=2\n\r\n",
       {":2: 2 of 4 lines (the first is this one) end with LF alone"}},
      {"a stale journal",
       "[A]\r\nK=1\r\n\r\n",
       {": a rollback journal that a writer killed during an in-place write left was not applied"},
       true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    const std::string file = Written(row.Name, row.Bytes);
    const std::string mark = std::filesystem::canonical(file).string() + std::string(1, '\0');
    if (row.StaleJournal && setxattr(file.c_str(), "user.zodavudaz.journal", mark.data(), mark.size(), 0) != 0) {
      std::printf("not checked: %s, which needs user extended attributes\n", row.Name);
      continue;
    }
    const ToolRun run = RunTool("profile check '" + file + "'");
    EXPECT_EQ(run.Exit, row.Findings.empty() ? 0 : 2);
    std::string::size_type at = 0;
    for (const std::string& finding : row.Findings) {
      at = run.Out.find(file + finding, at);
      EXPECT_NE(at, std::string::npos) << finding << "\n" << run.Out;
    }
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), std::max<std::ptrdiff_t>(1, row.Findings.size()))
        << run.Out;
  }
}

TEST_F(ZdzToolTest, ListsAndGetsSectionsAsTheLibraryReadsThem) {
  const std::string file =
      Written("names.ini", "[X]y]\r\nK=1\r\n\r\n[Line[2]]\r\nK=2\r\nK=3\r\nL=4\r\n\r\n[X]y]\r\nM=5\r\n\r\n");
  RunRows({
      {"the first line of each key", "profile list " + file + " 'Line[2]'", 0, "K=2\nL=4\n"},
      {"a section named by a whole line", "profile get " + file + " 'X]y' K", 0, "1\n"},
      {"no section in a longer header", "profile get " + file + " X K", 1, "no section [X] in"},
      {"no section without its last bracket", "profile list " + file + " 'Line[2'", 1, "no section [Line[2] in"},
      {"a name's control bytes escaped", "profile get " + file + " '\x1B[2J\x8F' K", 1,
       "no section [\\x1B[2J\\x8F] in"},
  });
  EXPECT_EQ(RunTool("profile list " + file).Out, "[X]y]\n[Line[2]]\n") << "each section once";
}

// A missing file is not found, like a missing section or key; what the file system refuses says why.
// The tool reads under the library's lock: a file that a writer holds past the wait is busy.
TEST_F(ZdzToolTest, TellsMissingBusyAndFileSystemFailuresFromBadInput) {
  const std::string missing = Folder / "no-folder/x.ini", absent = Folder / "absent.ini", file = Folder / "x.ini";
  const std::string isFolder = Folder.Path.string();
  const std::string noFolder = "the folder '" + (Folder / "no-folder") + "' does not exist";
  const std::string placement = " A 1 0,1,-1,-1,-1,-1,1,2,3,4";
  const std::string busy = Written("held.ini", "[S]\r\nK=1\r\n\r\n");
  CFile held;
  ProfileLock lock(busy.c_str());
  ASSERT_TRUE(held.Open(busy.c_str(), CFile::modeReadWrite) && lock.LockForWriting(held));
  RunRows({
      {"list a held file", "profile list " + busy, 4, "'" + busy + "' is busy"},
      {"get from a held file", "profile get " + busy + " S K", 4, "'" + busy + "' is busy"},
      {"get from a missing file", "profile get " + absent + " S K", 1, "no file '" + absent + "': it does not exist"},
      {"get in a missing folder", "profile get " + missing + " S K", 1, "no file '" + missing + "': " + noFolder},
      {"get from a folder", "profile get " + isFolder + " S K", 3, "cannot read '" + isFolder + "': it is a folder"},
      {"list a missing file", "profile list " + missing, 1, noFolder},
      {"list a folder", "profile list " + isFolder, 3, "it is a folder"},
      {"check a missing file", "profile check " + absent, 1, "no file"},
      {"set into a missing folder", "profile set " + missing + " S K V", 3,
       "cannot write '" + missing + "': " + noFolder},
      {"set into a folder", "profile set " + isFolder + " S K V", 3, "cannot write '" + isFolder + "': it is a folder"},
      {"set a section the format cannot hold", "profile set " + file + " 'S\nT' K V", 2, "cannot hold these names"},
      {"set a key the format cannot hold", "profile set " + file + " S K=L V", 2, "cannot hold these names"},
      {"set", "profile set " + file + " S K V", 0, ""},
      {"set a section holding brackets", "profile set " + file + " 'Line[2]' K V", 0, ""},
      {"placement into a missing folder", "placement set " + missing + placement, 3, "cannot write '" + missing},
      {"placement under a name the format cannot hold", "placement set " + file + " 'A\rB'" + placement.substr(2), 2,
       "station name 'A\\x0DB'"},
      {"placement from a missing file", "placement get " + absent + " A 1", 1, "no file"},
      {"a placement text of two numbers", "profile set " + file + " StationA-Module2 WindowPos 1,2", 0, ""},
      {"placement that is not ten numbers", "placement get " + file + " A 2", 2, "is not ten numbers: '1,2'"},
      {"viewer check of a missing section", "viewer check " + file + " T", 1, "no section [T] in '" + file + "'"},
      {"viewer check of a section without one", "viewer check " + file + " S", 1,
       "no Viewer line in section [S] of '" + file + "'"},
  });
  EXPECT_EQ(ReadAll(file), "[S]\r\nK=V\r\n\r\n[Line[2]]\r\nK=V\r\n\r\n[StationA-Module2]\r\nWindowPos=1,2\r\n\r\n");
  const std::string help = RunTool("--help").Out;
  for (const char* code : {"1 not found (no such file", "3 file-system failure", "4 busy"})
    EXPECT_NE(help.find(code), std::string::npos) << code;
}

TEST_F(ZdzToolTest, ViewerCheckReportsEveryStatementByKeyword) {
  const std::size_t begin = Sample.find("Viewer=") + 7;
  const std::string viewer = Sample.substr(begin, Sample.find("\r\n", begin) - begin);
  const struct {
    const char* Name;
    std::string Viewer;
    /// Each line of the report, after "[S] "; the sample's own line reads back (ReadsTheSampleSettings).
    std::vector<std::string> Shows;
  } table[] = {
      {"reordered",
       Swapped(viewer, "GridType 1;", "Interpolation 0;"),
       {"Viewer: the same statements, stored in another order than the library writes them"}},
      {"reordered and one changed",
       Changed(Swapped(viewer, "GridType 1;", "Label 1;"), "Top 80;", "Top 0x50;"),
       {"Viewer: 'Top 0x50' reads back as 'Top 0'"}},
      {"two changed",
       Changed(Changed(viewer, "Left 100;", "Left 1e2;"), "TimeFmt 0;", "TimeFmt -0;"),
       {"Viewer: 'TimeFmt -0' reads back as 'TimeFmt 0'", "Viewer: 'Left 1e2' reads back as 'Left 1'"}},
      {"unknown and dropped",
       Changed(viewer, "TyXy 0;", "TyXz 0;"),
       {"Viewer: statement 14 'TyXz 0' is not written back",
        "Viewer: 1 statements not stored are written with what the record holds: TyXy"}},
      {"a missing group line",
       Changed(viewer, "GrNum 0;", "GrNum 1;"),
       {"Group1: missing, so the group keeps its initial values"}},
  };
  for (const auto& row : table) {
    SCOPED_TRACE(row.Name);
    const std::string file = Written(row.Name, "[S]\r\nViewer=" + row.Viewer + "\r\n\r\n");
    const ToolRun run = RunTool("viewer check '" + file + "'");
    EXPECT_EQ(run.Exit, 2) << run.Err;
    std::string expected;
    for (const std::string& line : row.Shows)
      expected += "[S] " + line + "\n";
    EXPECT_EQ(run.Out, expected);
  }
}

TEST_F(ZdzToolTest, SurvivesMalformedFiles) {
  std::string binary;
  for (int i = 0; i < 4096; ++i)
    binary += static_cast<char>((i * 7919) % 256);
  const std::string viewerLine = Sample.substr(Sample.find("Viewer="), 300);
  const struct {
    const char* Name;
    std::string Bytes;
    int CheckExit;
    /// Of viewer check; 0 for "1 or 2".
    int ViewerExit;
  } files[] = {
      {"truncated", Sample.substr(0, Sample.size() / 3), 2, 0},
      {"binary", binary, 2, 1},
      {"huge line", "[S]\r\nViewer=" + std::string(2 << 20, 'x') + "\r\n\r\n", 0, 2},
      {"empty", "", 0, 1},
      {"cut viewer line", "[S]\r\n" + viewerLine + "\r\n\r\n", 0, 2},
  };
  for (const auto& row : files) {
    SCOPED_TRACE(row.Name);
    const std::string file = Written(row.Name, row.Bytes);
    EXPECT_EQ(RunTool("profile check '" + file + "'").Exit, row.CheckExit);
    EXPECT_LE(RunTool("profile list '" + file + "'").Exit, 1);
    EXPECT_LE(RunTool("profile get '" + file + "' S Viewer").Exit, 1);
    EXPECT_LE(RunTool("placement get '" + file + "' S 1").Exit, 1);
    const int viewer = RunTool("viewer check '" + file + "'").Exit;
    EXPECT_TRUE(row.ViewerExit == 0 ? viewer == 1 || viewer == 2 : viewer == row.ViewerExit) << viewer;
    EXPECT_LE(RunTool("viewer show '" + file + "' S").Exit, 2);
  }
}

TEST_F(ZdzToolTest, DecodesPackets) {
  const std::string module = "1C000000 2C000000 01000000 01000000 02 0A 0C94 10 01 0000 03000000 00000000";
  const std::string data = " 010002000300 0400050006000700";
  RunRows({
      {"module", "packet decode " + module + data, 0,
       "command id      0x0A: group 10 (query), request\ncontrol         0x940C: id 0x40C, offset 9\n"},
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
