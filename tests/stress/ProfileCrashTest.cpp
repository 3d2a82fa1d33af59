// Writers killed at random moments of a rewrite or an append, of small and multi-megabyte files,
// on every way a write can take: the next caller must find the file whole as its old or its new
// version, and a later write must succeed and last. ZDZ_CRASH_TRIALS sets the trials per case.
#include "tests/TempFiles.h"
#include "tests/stress/StressSettings.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/FileAttributes.h"
#include "tests/support/PlantedNames.h"
#include <zodavudaz/settings/JournalRecord.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/WriterFiles.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sched.h>
#include <span>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {
const std::string LargeValue(4 << 20, 'x');
const std::string Small = "[A]\r\nX=1\r\n\r\n[S]\r\nK=0\r\n\r\n";
const std::string Large = "[S]\r\nK=0\r\n\r\n[Big]\r\nV=" + LargeValue + "\r\n\r\n";
// For in-place writes: the rewritten value is longer than the old one, so that a rewrite moves
// every byte after it.
const std::string Shifted = "[A]\r\nX=1\r\n\r\n[S]\r\nK=0\r\n\r\n[Big]\r\nV=" + std::string(1 << 20, 'y') + "\r\n\r\n";
const std::string Longer = "a longer value";

struct CrashCase {
  const char* Name;
  const std::string* Before;
  const char* Section;
  const std::string* Value;
};

/// What the trials of one case found.
struct Tally {
  long Trials = 0, Old = 0, New = 0;
  /// Neither version, after the next caller's read.
  long Torn = 0;
  /// A call that gave 0: the next caller's read, or the write after it.
  long Failed = 0;
  /// A write that gave 1 but did not last, or sections the write did not touch that changed.
  long Lost = 0;
  /// Kills that left a journal, after which a user changed a byte in place; and such changes that
  /// the next caller undid.
  long Edited = 0, LostEdits = 0;
};

/// One settings file set up for a way of writing it, with who writes it and who reads next.
struct Scene {
  TempFolder Top;
  std::string Folder = Top / "settings";
  /// The name written through, and the name the next caller reads through.
  std::string File = Folder + "/Mardel.tmp";
  std::string Read = File;
  uid_t Writer = geteuid();
  /// A file bound over File, which must go before the folder can.
  bool Mounted = false;

  ~Scene() {
    if (Mounted)
      umount(File.c_str());
  }
};

const CrashCase ReplacementCases[] = {
    {"RewriteSmall", &Small, "S", &Longer},
    {"AppendSmall", &Small, "N", &Longer},
    {"RewriteLarge", &Large, "S", &Longer},
    {"AppendLarge", &Small, "N", &LargeValue},
};

const CrashCase InPlaceCases[] = {
    {"Rewrite", &Shifted, "S", &Longer},
    {"Append", &Shifted, "N", &LargeValue},
};

struct CrashPath {
  const char* Name;
  /// The writes killed on this way.
  std::span<const CrashCase> Cases;
  /// Needs root: to write as another user, to set access lists or to mount.
  bool NeedsPrivilege;
  /// Whether no kill may tear the file: a replacement, or a journal kept.
  bool KeepsFileWhole;
  /// The writer and the next caller are OtherUser rather than this user.
  bool OtherWriter;
  mode_t FolderMode, FileMode;
  /// What the scene needs once its file is made (in a process of its own); false where it cannot.
  bool (*Finish)(Scene&) = nullptr;
  /// Whether a user changes a byte in place after each kill that left a journal.
  bool EditsAfterKill = false;
};

/// Makes the scene's file of bytes for path; false where the scene cannot be set up.
bool SetUp(const CrashPath& path, Scene& scene, const std::string& bytes) {
  scene.Writer = path.OtherWriter ? OtherUser : geteuid();
  chmod(scene.Top.Path.c_str(), 0755);
  mkdir(scene.Folder.c_str(), 0700);
  WriteAll(scene.File, bytes);
  return chmod(scene.File.c_str(), path.FileMode) == 0 && chmod(scene.Folder.c_str(), path.FolderMode) == 0 &&
         (path.Finish == nullptr || path.Finish(scene));
}

bool ReadThroughHardLink(Scene& scene) {
  scene.Read = scene.Top / "Other.tmp";
  return link(scene.File.c_str(), scene.Read.c_str()) == 0;
}

bool ShareThroughAccessList(Scene& scene) { return SetAccessList("-m u:65534:rw", scene.File); }

/// Binds a copy of the file over it, in a mount namespace of this process's own.
bool BindMount(Scene& scene) {
  const std::string source = scene.Top / "Source.tmp";
  WriteAll(source, ReadAll(scene.File));
  scene.Mounted = unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                  mount(source.c_str(), scene.File.c_str(), nullptr, MS_BIND, nullptr) == 0;
  return scene.Mounted;
}

bool PlantSceneNames(Scene& scene) { return PlantNames(scene.File, scene.Folder); }

bool GiveAwayAndPlantNames(Scene& scene) {
  return chown(scene.File.c_str(), OtherUser, OtherUser) == 0 && PlantSceneNames(scene);
}

const CrashPath CrashPaths[] = {
    {"Replacement", ReplacementCases, false, true, false, 0755, 0644},
    {"HardLink", InPlaceCases, false, true, false, 0755, 0644, ReadThroughHardLink},
    {"ForeignOwner", InPlaceCases, true, true, true, 0777, 0666},
    {"SharedThroughAccessList", InPlaceCases, true, true, true, 0777, 0600, ShareThroughAccessList},
    {"BindMounted", InPlaceCases, true, true, false, 0755, 0644, BindMount},
    // Names that another user took first: the writer's own file goes through a tagged
    // replacement, another user's file in place under a tagged journal.
    {"PlantedNamesReplacement", InPlaceCases, true, true, true, 0777, 0644, GiveAwayAndPlantNames},
    {"PlantedNamesInPlace", InPlaceCases, true, true, true, 0777, 0666, PlantSceneNames},
    // A user's edit after a kill makes the journal stale: it must never undo the edit.
    {"StaleJournalEdit", InPlaceCases, false, false, false, 0755, 0644, ReadThroughHardLink, true},
    // No journal can be made where the writer cannot create files: the case left.
    {"ReadOnlyFolder", InPlaceCases, true, false, true, 0555, 0666},
};

/// Starts the write of row as the scene's writer; the child's exit code is its result.
pid_t StartWriter(const Scene& scene, const CrashCase& row) {
  return StartChild([&] { return WriteProfileStringEx(scene.File.c_str(), row.Section, "K", row.Value->c_str()); },
                    scene.Writer);
}

/// Whether bytes still hold every section of before that the write does not touch.
bool KeepsUntouchedSections(const std::string& bytes, const std::string& before, const char* section) {
  const std::string header = std::string("[") + section + "]\r\n";
  const size_t begin = before.find(header);
  if (begin == std::string::npos)
    return bytes.compare(0, before.size(), before) == 0;
  const size_t end = before.find("\r\n\r\n", begin) + 4;
  return bytes.compare(0, begin, before, 0, begin) == 0 && bytes.size() >= before.size() - end &&
         bytes.compare(bytes.size() - (before.size() - end), std::string::npos, before, end) == 0;
}

/// Where a kill left a journal, changes a byte in the middle of the file in place, keeping its
/// length, to one that no version holds there; its place, or -1.
long EditInPlace(const Scene& scene) {
  if (!HasAttribute(scene.File, JournalMarkName))
    return -1;
  const long middle = static_cast<long>(std::filesystem::file_size(scene.File) / 2);
  std::fstream(scene.File, std::ios::in | std::ios::out | std::ios::binary).seekp(middle).put('E');
  return middle;
}

/// Kills writers of row at random moments in the scene, each followed by a read and a write of
/// the scene's next caller.
Tally RunTrials(Scene& scene, const CrashCase& row, long trials, bool editsAfterKill) {
  Tally tally;
  const auto reset = [&] { WriteAll(scene.File, *row.Before); };
  // One undisturbed writer gives the new version and how long a writer takes from its start.
  reset();
  const auto start = std::chrono::steady_clock::now();
  waitpid(StartWriter(scene, row), nullptr, 0);
  const long writerMicroseconds =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
  const std::string after = ReadAll(scene.File);
  std::mt19937 random(12345);
  std::uniform_int_distribution<long> delay(0, writerMicroseconds + writerMicroseconds / 5);
  for (tally.Trials = 0; tally.Trials < trials; ++tally.Trials) {
    reset();
    const pid_t child = StartWriter(scene, row);
    std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) != 1)
      ++tally.Failed;
    const long edited = editsAfterKill ? EditInPlace(scene) : -1;
    const int read = RunInChild(
        [&] {
          CString value;
          return GetProfileStringEx(scene.Read.c_str(), "S", "K", value);
        },
        scene.Writer);
    const std::string bytes = ReadAll(scene.File);
    if (edited >= 0) {
      ++tally.Edited;
      tally.LostEdits += static_cast<long>(bytes.size()) > edited && bytes[edited] == 'E' ? 0 : 1;
    } else {
      (bytes == *row.Before ? tally.Old : bytes == after ? tally.New : tally.Torn)++;
    }
    // Appended rather than "p" + ...: GCC 12 takes that for an overlapping copy in Release.
    std::string probe = "p";
    probe += std::to_string(tally.Trials);
    const int probed = RunInChild(
        [&] {
          CString value;
          return WriteProfileStringEx(scene.Read.c_str(), "Probe", "P", probe.c_str()) &&
                         GetProfileStringEx(scene.File.c_str(), "Probe", "P", value) && value == probe.c_str()
                     ? 1
                     : 2;
        },
        scene.Writer);
    tally.Failed += (read != 1 ? 1 : 0) + (probed == 0 ? 1 : 0);
    tally.Lost +=
        (probed == 2 ? 1 : 0) + (edited >= 0 || KeepsUntouchedSections(bytes, *row.Before, row.Section) ? 0 : 1);
  }
  return tally;
}

/// Runs the trials of row on path in a process of its own (its mounts vanish with it) and
/// gives their tally; Trials is -1 where the scene could not be set up.
Tally RunPath(const CrashPath& path, const CrashCase& row, long trials) {
  int channel[2];
  EXPECT_EQ(pipe(channel), 0);
  RunInChild(
      [&] {
        Scene scene;
        Tally tally;
        tally.Trials = -1;
        if (SetUp(path, scene, *row.Before))
          tally = RunTrials(scene, row, trials, path.EditsAfterKill);
        return write(channel[1], &tally, sizeof tally) == static_cast<ssize_t>(sizeof tally) ? 0 : 1;
      },
      geteuid(), 24 * 3600 * 1000);
  Tally tally;
  EXPECT_EQ(read(channel[0], &tally, sizeof tally), static_cast<ssize_t>(sizeof tally));
  close(channel[0]);
  close(channel[1]);
  return tally;
}

void PrintTo(const CrashPath& row, std::ostream* out) { *out << row.Name; }

class ProfileCrashTest : public ::testing::TestWithParam<CrashPath> {};

// A replacement and, through the journal, every in-place way are safe from kills, also beside names
// that another user took first; a user's edit after a kill is never undone; the folder that takes
// no journal is the case left, whose figures are reported.
TEST_P(ProfileCrashTest, FileIsOldOrNewWhole) {
  const CrashPath& path = GetParam();
  if (path.NeedsPrivilege && !IsPrivileged())
    GTEST_SKIP() << "needs root to write as user " << OtherUser << ", set access lists and mount";
  const long trials = SettingFromEnvironment("ZDZ_CRASH_TRIALS", 4);
  for (const CrashCase& row : path.Cases) {
    const Tally tally = RunPath(path, row, trials);
    std::printf("crash %s %s: %ld kills, %ld old, %ld new, %ld torn, %ld failed, %ld lost, %ld edits after a kill "
                "left a journal, %ld of them lost\n",
                path.Name, row.Name, tally.Trials, tally.Old, tally.New, tally.Torn, tally.Failed, tally.Lost,
                tally.Edited, tally.LostEdits);
    if (tally.Trials < 0)
      GTEST_SKIP() << path.Name << " cannot be set up here (setfacl from Debian's acl, mounts)";
    EXPECT_EQ(tally.Trials, trials);
    EXPECT_EQ(tally.Failed, 0);
    EXPECT_EQ(tally.LostEdits, 0);
    if (path.KeepsFileWhole) {
      EXPECT_EQ(tally.Torn, 0);
      EXPECT_EQ(tally.Lost, 0);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, ProfileCrashTest, ::testing::ValuesIn(CrashPaths),
                         [](const auto& info) { return std::string(info.param.Name); });
} // namespace
