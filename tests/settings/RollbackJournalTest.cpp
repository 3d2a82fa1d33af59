#include "tests/TempFiles.h"
#include "tests/hooks/FaultInjectingFileAccess.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileAttributes.h"
#include <zodavudaz/settings/ByteHash.h>
#include <zodavudaz/settings/JournalRecord.h>
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/WriterFiles.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The rewritten section lies before a large one, and the new value is longer than the old, so
// that an in-place write moves many bytes and a crash in the middle tears them.
const std::string Bulk = "[Bulk]\r\nV=" + std::string(200000, 'b') + "\r\n\r\n";
const std::string Original = "[T]\r\nA=1\r\n\r\n[S]\r\nK=0\r\nB=2\r\n\r\n" + Bulk;
const std::string Rewritten = "[T]\r\nA=1\r\n\r\n[S]\r\nB=2\r\nK=new\r\n\r\n" + Bulk;
const std::string Appended = Original + "[N]\r\nK=new\r\n\r\n";

/// Writes K=new into section of path in a child, running as writer, whose file calls (through
/// inner) end the process at the crashAt-th call that changes a file; true where the child ended
/// there, false where the write completed.
bool WriteCrashingAt(FileAccess& inner, int crashAt, const std::string& path, const char* section,
                     uid_t writer = geteuid()) {
  const int code = RunInChild(
      [&] {
        FaultInjectingFileAccess crashing(inner);
        SetFileAccess(&crashing);
        crashing.Arm(FileFault::Crash, crashAt, false);
        return WriteProfileStringEx(path.c_str(), section, "K", "new");
      },
      writer);
  EXPECT_TRUE(code == CrashExitCode || code == 1) << "exit code " << code;
  return code == CrashExitCode;
}

/// The place of a write: a folder holds the settings file and, for a file with two names, another
/// folder its second name, through which the reader comes. Folders planted under the writer's fixed
/// names stand for names that another user took first.
struct Place {
  TempFolder Folder, OtherFolder;
  std::string Written = Folder / "Mardel.tmp";
  std::string Read = Written;

  Place(bool secondName, bool planted) {
    WriteAll(Written, Original);
    if (secondName) {
      Read = OtherFolder / "Other.tmp";
      link(Written.c_str(), Read.c_str());
    }
    if (planted) {
      mkdir(TemporaryNameFor(Written.c_str()), 0755);
      mkdir(JournalNameFor(Written.c_str()), 0755);
    }
  }
  /// Everything in both folders: the names of the file, and whatever a writer left.
  long Count() const { return Folder.Count() + OtherFolder.Count(); }
};

struct CrashPath {
  const char* Name;
  bool SecondName;
  /// Whether a name that cannot be replaced sends the write in place (a file bound in its place).
  bool CrossDevice;
  bool InPlace;
  bool Planted;
};

const CrashPath CrashPaths[] = {
    {"Replacement", false, false, false, false},
    {"HardLinkInAnotherFolder", true, false, true, false},
    {"UnreplaceableName", false, true, true, false},
    {"ReplacementBesidePlantedNames", false, false, false, true},
    {"HardLinkBesidePlantedNames", true, false, true, true},
};

void PrintTo(const CrashPath& row, std::ostream* out) { *out << row.Name; }

class ProfileCrashPointTest : public ::testing::TestWithParam<CrashPath> {};

const std::string NextSection = "[Next]\r\nK=V\r\n\r\n";

// A writer killed at each call that changes a file, in turn: the next caller, reading through any
// name of the file, finds it whole, old or new; the next write succeeds and leaves nothing behind.
// Where the kill tore the file, it is torn once more and a writer comes first: it puts the old
// bytes back itself before it writes.
TEST_P(ProfileCrashPointTest, NextCallerFindsTheFileWhole) {
  const CrashPath& path = GetParam();
  FaultInjectingFileAccess host;
  if (path.CrossDevice)
    host.Arm(FileFault::RenameCrossDevice, 1, true);
  // The next write takes the same way, through the same name, and so meets what was left.
  const auto writeNext = [&](const Place& place) {
    SetFileAccess(&host);
    EXPECT_EQ(WriteProfileStringEx(place.Written.c_str(), "Next", "K", "V"), 1);
    SetFileAccess(nullptr);
  };
  // Names planted by another user stay; a tagged temporary file of a killed writer may stay too.
  const auto checkLeftovers = [&](const Place& place) {
    const long names = (path.SecondName ? 2 : 1) + (path.Planted ? 2 : 0);
    EXPECT_GE(place.Count(), names);
    EXPECT_LE(place.Count(), names + (path.Planted ? 1 : 0)) << "a temporary file or journal stayed";
  };
  for (const char* section : {"S", "N"}) {
    const std::string& written = *section == 'S' ? Rewritten : Appended;
    long torn = 0;
    for (int crashAt = 1;; ++crashAt) {
      SCOPED_TRACE(::testing::Message() << "section " << section << ", crash at call " << crashAt);
      Place place(path.SecondName, path.Planted);
      const bool crashed = WriteCrashingAt(host, crashAt, place.Written, section);
      const std::string left = ReadAll(place.Written);
      const bool tore = left != Original && left != written;
      torn += tore ? 1 : 0;
      CString value;
      EXPECT_EQ(GetProfileStringEx(place.Read.c_str(), "T", "A", value), 1);
      const std::string bytes = ReadAll(place.Written);
      EXPECT_TRUE(bytes == Original || bytes == written) << "torn, " << bytes.size() << " bytes";
      EXPECT_TRUE(crashed || bytes == written);
      EXPECT_FALSE(HasAttribute(place.Written, JournalMarkName));
      writeNext(place);
      checkLeftovers(place);
      if (tore) {
        Place again(path.SecondName, path.Planted);
        EXPECT_TRUE(WriteCrashingAt(host, crashAt, again.Written, section));
        writeNext(again);
        const std::string next = ReadAll(again.Written);
        EXPECT_TRUE(next == Original + NextSection || next == written + NextSection) << "torn under the next write";
        checkLeftovers(again);
      }
      if (!crashed)
        break;
    }
    // The crashes did reach the middle of an in-place write.
    if (path.InPlace) {
      EXPECT_GT(torn, 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, ProfileCrashPointTest, ::testing::ValuesIn(CrashPaths),
                         [](const auto& info) { return std::string(info.param.Name); });

/// A settings file with two names whose in-place writer, running as writer, died in the middle
/// of overwriting it, leaving its journal (under the untagged name: no other user took it) and the
/// file's mark. File and folder are open to all.
struct TornFile {
  TempFolder Folder;
  std::string File = Folder / "Mardel.tmp";
  std::string Journal = std::string(JournalNameFor(File.c_str()));
  std::string Torn;

  explicit TornFile(uid_t writer = geteuid()) {
    chmod(Folder.Path.c_str(), 0777);
    for (int crashAt = 1; Torn.empty(); ++crashAt) {
      WriteAll(File, Original);
      chmod(File.c_str(), 0666);
      link(File.c_str(), (Folder / "Other.tmp").c_str());
      if (!WriteCrashingAt(GetHostFileAccess(), crashAt, File, "S", writer))
        break;
      const std::string bytes = ReadAll(File);
      if (bytes != Original && bytes != Rewritten)
        Torn = bytes;
      unlink((Folder / "Other.tmp").c_str());
    }
  }
};

/// The user the tests run as.
const uid_t Self = geteuid();

struct TrustCase {
  const char* Name;
  /// Changes the journal, the file or its mark after the crash.
  std::function<void(TornFile&)> Change;
  bool Applied;
  bool NeedsPrivilege = false;
  /// Who wrote and died, and who reads next.
  uid_t Writer = Self, Reader = Self;
};

void FlipLastByte(const std::string& path) {
  std::string bytes = ReadAll(path);
  bytes.back() ^= 1;
  WriteAll(path, bytes);
}

/// A user's edit in place after the crash, keeping the length (an editor writing in place): a
/// byte in the middle of the large section, which the journal covers, becomes one that neither
/// version holds there.
void EditInPlace(TornFile& torn) {
  torn.Torn[torn.Torn.size() / 2] = 'E';
  std::fstream(torn.File, std::ios::in | std::ios::out | std::ios::binary).seekp(torn.Torn.size() / 2).put('E');
}

/// Rewrites the journal and the mark as the earlier format made them: no new bytes in the journal,
/// the journal's path alone in the mark.
void ToEarlierFormat(TornFile& torn) {
  const std::string current = ReadAll(torn.Journal);
  JournalHeader header;
  JournalRecord::DecodeHeader(current.data(), static_cast<int>(current.size()), header);
  const std::string earlier = "ZDZJRNL1" + current.substr(8, 40) + current.substr(56, header.OldSize - header.From);
  ByteHash hash;
  hash.Add(earlier.data(), static_cast<long long>(earlier.size()));
  const CString checksum = JournalRecord::EncodeChecksum(hash.GetValue());
  WriteAll(torn.Journal, earlier + std::string(checksum, 8));
  SetAttribute(torn.File, JournalMarkName, torn.Journal);
}

/// A symbolic link to the folder, and the mark naming the file through it.
void MarkThroughLinkedFolder(TornFile& torn) {
  const std::string linked = torn.Folder / "linked";
  symlink(torn.Folder.Path.c_str(), linked.c_str());
  const std::string mark = AttributeOf(torn.File, JournalMarkName);
  SetAttribute(torn.File, JournalMarkName, linked + mark.substr(mark.find('\0') - 11));
}

/// The journal replaced by a symbolic link to a copy of it.
void JournalAsLink(TornFile& torn) {
  const std::string copy = torn.Folder / "copy.journal";
  WriteAll(copy, ReadAll(torn.Journal));
  unlink(torn.Journal.c_str());
  symlink(copy.c_str(), torn.Journal.c_str());
}

/// The file replaced by a copy of its torn bytes that carries its mark along: the journal was
/// made for another file.
void ReplaceByMarkedCopy(TornFile& torn) {
  const std::string copy = torn.Folder / "Copy.tmp";
  WriteAll(copy, torn.Torn);
  SetAttribute(copy, JournalMarkName, AttributeOf(torn.File, JournalMarkName));
  rename(copy.c_str(), torn.File.c_str());
}

const TrustCase TrustCases[] = {
    {"Whole", [](TornFile&) {}, true},
    {"WiderThanTheFile",
     [](TornFile& torn) {
       chmod(torn.File.c_str(), 0644);
       chmod(torn.Journal.c_str(), 0664);
     },
     false},
    {"ByteChanged", [](TornFile& torn) { FlipLastByte(torn.Journal); }, false},
    {"Shortened",
     [](TornFile& torn) { truncate(torn.Journal.c_str(), static_cast<off_t>(ReadAll(torn.Journal).size() - 1)); },
     false},
    {"Missing", [](TornFile& torn) { unlink(torn.Journal.c_str()); }, false},
    {"MarkRemoved", [](TornFile& torn) { removexattr(torn.File.c_str(), JournalMarkName); }, false},
    {"FileLongerThanEitherVersion", [](TornFile& torn) { WriteAll(torn.File, torn.Torn + std::string(300000, 'x')); },
     false},
    {"FileShorterThanEitherVersion", [](TornFile& torn) { WriteAll(torn.File, torn.Torn.substr(0, 100)); }, false},
    {"OwnedByAnotherUser", [](TornFile& torn) { chown(torn.Journal.c_str(), OtherUser, OtherUser); }, false, true},
    {"OwnedByTheFileOwner",
     [](TornFile& torn) {
       chown(torn.File.c_str(), OtherUser, OtherUser);
       chown(torn.Journal.c_str(), OtherUser, OtherUser);
     },
     true, true},
    {"OwnedByTheCaller", [](TornFile&) {}, true, true, OtherUser, OtherUser},
    // Root does not apply the journal of a user who does not own the file.
    {"OwnedByAUserWhoWritesAnothersFile", [](TornFile&) {}, false, true, OtherUser, Self},
    // A journal is applied only over bytes that the write left, never over a user's edit since.
    {"FileEditedSince", EditInPlace, false},
    {"EarlierFormat", ToEarlierFormat, false},
    // The mark leads only to a journal reached through no link.
    {"MarkThroughLinkedFolder", MarkThroughLinkedFolder, false},
    {"JournalIsALink", JournalAsLink, false},
    {"MarkCopiedFromAnotherFile", ReplaceByMarkedCopy, false},
    // A reader that finds a journal to apply but may not write the file gives 0, as for a time-out.
    {"ReaderThatCannotWrite", [](TornFile& torn) { chmod(torn.File.c_str(), 0644); }, false, true, Self, OtherUser},
};

void PrintTo(const TrustCase& row, std::ostream* out) { *out << row.Name; }

class JournalTrustTest : public ::testing::TestWithParam<TrustCase> {};

// Only a journal that the caller may trust, whole and made for this very file, is applied.
TEST_P(JournalTrustTest, AppliedOnlyWhenTrusted) {
  const TrustCase& row = GetParam();
  if (row.NeedsPrivilege && !IsPrivileged())
    GTEST_SKIP() << "needs root to act as user " << OtherUser << " and to give files away";
  TornFile torn(row.Writer);
  ASSERT_FALSE(torn.Torn.empty()) << "no crash tore the file";
  row.Change(torn);
  const std::string before = ReadAll(torn.File);
  const bool marked = HasAttribute(torn.File, JournalMarkName);
  const bool readerWrites = RunInChild([&] { return access(torn.File.c_str(), W_OK) == 0 ? 1 : 0; }, row.Reader) == 1;
  // The read's result, 2 where it says that it left a journal stale, 4 where the file was busy.
  const auto readAs = [&](uid_t user) {
    return RunInChild(
        [&] {
          CString value;
          const int read = GetProfileStringEx(torn.File.c_str(), "T", "A", value);
          const ProfileCause cause = GetLastProfileCause();
          return read | (cause == ProfileCause::StaleJournal ? 2 : 0) | (cause == ProfileCause::Busy ? 4 : 0);
        },
        user);
  };
  EXPECT_EQ(readAs(row.Reader), !readerWrites && marked ? 4 : row.Applied || !marked ? 1 : 3);
  EXPECT_EQ(ReadAll(torn.File), row.Applied ? Original : before);
  // A reader changes nothing that it does not apply.
  EXPECT_EQ(HasAttribute(torn.File, JournalMarkName), !row.Applied && marked);
  if (row.Applied || !readerWrites)
    return;
  // The next successful write keeps the file as it stands and removes the stale mark, and the
  // journal where it is one that a writer made for the file and the caller trusts.
  const std::set<std::string> journalStays = {"WiderThanTheFile", "OwnedByAnotherUser", "MarkRemoved",
                                              "MarkThroughLinkedFolder", "JournalIsALink"};
  EXPECT_EQ(RunInChild([&] { return WriteProfileStringEx(torn.File.c_str(), "Next", "K", "V"); }, row.Reader), 1);
  EXPECT_EQ(ReadAll(torn.File).substr(0, before.size()), before);
  EXPECT_FALSE(HasAttribute(torn.File, JournalMarkName));
  EXPECT_EQ(std::filesystem::exists(std::filesystem::symlink_status(torn.Journal)),
            journalStays.count(row.Name) > 0 || row.Reader != row.Writer);
}

INSTANTIATE_TEST_SUITE_P(Cases, JournalTrustTest, ::testing::ValuesIn(TrustCases),
                         [](const auto& info) { return std::string(info.param.Name); });

/// Records whether one file (by inode) was opened, and how many of its bytes were read.
class ReadWatch final : public FaultInjectingFileAccess {
public:
  explicit ReadWatch(ino_t watched) : Watched(watched) {}
  Handle Open(LPCTSTR path, UINT flags, FileCause& cause) noexcept override {
    const Handle file = FaultInjectingFileAccess::Open(path, flags, cause);
    if (file != NoHandle && StatusOfOpen(file).st_ino == Watched)
      WatchedHandle = file;
    return file;
  }
  long Read(Handle file, void* buffer, UINT count) noexcept override {
    const long read = FaultInjectingFileAccess::Read(file, buffer, count);
    BytesRead += file == WatchedHandle && read > 0 ? read : 0;
    return read;
  }
  ino_t Watched;
  Handle WatchedHandle = NoHandle;
  long BytesRead = 0;
};

// A mark that names a large file elsewhere, in the earlier form or the current one, never opens
// it; a large file under the journal's own name is read no further than its header, whose length
// it does not have.
TEST(JournalTrustTest, MarkReadsNoLargeFile) {
  TornFile torn;
  ASSERT_FALSE(torn.Torn.empty());
  std::filesystem::create_directory(torn.Folder / "elsewhere");
  const std::string other = torn.Folder / "elsewhere/Mardel.tmp";
  WriteAll(other, Original);
  // Where the large file lies, what the mark then holds, and whether the read opens it. The last
  // row overwrites the journal.
  const struct {
    const char* Name;
    std::string Large, Mark;
    bool Opened;
  } rows[] = {
      {"EarlierMarkNamingAnyFile", other + ".bin", other + ".bin", false},
      {"MarkNamingAnotherFolder", std::string(JournalNameFor(other.c_str())), other + std::string(1, '\0'), false},
      {"LargeFileUnderTheJournalsName", torn.Journal, AttributeOf(torn.File, JournalMarkName), true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    // The journal's own header first, so that only its length is wrong.
    WriteAll(row.Large, ReadAll(torn.Journal));
    ASSERT_EQ(truncate(row.Large.c_str(), off_t{76} << 20), 0);
    ASSERT_TRUE(SetAttribute(torn.File, JournalMarkName, row.Mark));
    ReadWatch watch(StatusOf(row.Large).st_ino);
    SetFileAccess(&watch);
    CString value;
    EXPECT_EQ(GetProfileStringEx(torn.File.c_str(), "T", "A", value), 1);
    SetFileAccess(nullptr);
    EXPECT_EQ(watch.WatchedHandle != FileAccess::NoHandle, row.Opened);
    EXPECT_LE(watch.BytesRead, 1 << 16);
    EXPECT_EQ(ReadAll(torn.File), torn.Torn);
  }
}

} // namespace
