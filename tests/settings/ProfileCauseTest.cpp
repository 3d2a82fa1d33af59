#include "tests/TempFiles.h"
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace {
const char Stored[] = "[S]\r\nK=1\r\nE=\r\n\r\n";

/// Where a row's call goes.
enum class Target { File, NoFile, NoFolder, Folder };

struct CauseRow {
  const char* Name;
  Target Where;
  std::function<int(const char* path)> Call;
  int Result;
  ProfileCause Cause;
};

int Read(const char* path, const char* section, const char* key) {
  CString value("marker");
  const int result = GetProfileStringEx(path, section, key, value);
  return value.IsEmpty() || result == 1 ? result : -1;
}

int Write(const char* path, const char* section, const char* key, const char* value) {
  return WriteProfileStringEx(path, section, key, value);
}

int ReadWhole(const char* path) {
  CString text("marker");
  const int result = ReadProfileFile(path, text);
  return text == (result == 1 ? Stored : "") ? result : -1;
}

std::string PathFor(const TempFolder& folder, Target where) {
  switch (where) {
  case Target::NoFile: return folder / "missing.ini";
  case Target::NoFolder: return folder / "no-folder/Mardel.ini";
  case Target::Folder: return folder / "folder";
  default: return folder / "Mardel.ini";
  }
}

const CauseRow Rows[] = {
    {"read found", Target::File, [](const char* p) { return Read(p, "S", "K"); }, 1, ProfileCause::None},
    {"read empty value", Target::File, [](const char* p) { return Read(p, "S", "E"); }, 1, ProfileCause::None},
    {"read missing file", Target::NoFile, [](const char* p) { return Read(p, "S", "K"); }, 0,
     ProfileCause::MissingFile},
    {"read in missing folder", Target::NoFolder, [](const char* p) { return Read(p, "S", "K"); }, 0,
     ProfileCause::MissingFile},
    {"read missing section", Target::File, [](const char* p) { return Read(p, "T", "K"); }, 0,
     ProfileCause::MissingSection},
    {"read missing key", Target::File, [](const char* p) { return Read(p, "S", "k"); }, 0, ProfileCause::MissingKey},
    {"read key holding =", Target::File, [](const char* p) { return Read(p, "S", "K=1"); }, 0,
     ProfileCause::MissingKey},
    {"read null key", Target::File, [](const char* p) { return Read(p, "S", nullptr); }, 0, ProfileCause::RefusedName},
    {"read a folder", Target::Folder, [](const char* p) { return Read(p, "S", "K"); }, 0,
     ProfileCause::FileSystemFailure},
    {"write", Target::File, [](const char* p) { return Write(p, "S", "K", "2"); }, 1, ProfileCause::None},
    {"write creating the file", Target::NoFile, [](const char* p) { return Write(p, "S", "K", "2"); }, 1,
     ProfileCause::None},
    {"write a value with CR", Target::File, [](const char* p) { return Write(p, "S", "K", "a\rb"); }, 0,
     ProfileCause::RefusedName},
    {"write a key holding =", Target::File, [](const char* p) { return Write(p, "S", "K=", "1"); }, 0,
     ProfileCause::RefusedName},
    {"write a null value", Target::File, [](const char* p) { return Write(p, "S", "K", nullptr); }, 0,
     ProfileCause::RefusedName},
    {"write in missing folder", Target::NoFolder, [](const char* p) { return Write(p, "S", "K", "2"); }, 0,
     ProfileCause::FileSystemFailure},
    {"write a folder", Target::Folder, [](const char* p) { return Write(p, "S", "K", "2"); }, 0,
     ProfileCause::FileSystemFailure},
    {"whole file", Target::File, ReadWhole, 1, ProfileCause::None},
    {"whole missing file", Target::NoFile, ReadWhole, 0, ProfileCause::MissingFile},
    {"whole file of a folder", Target::Folder, ReadWhole, 0, ProfileCause::FileSystemFailure},
    {"whole file without a name", Target::File, [](const char*) { return ReadWhole(nullptr); }, 0,
     ProfileCause::RefusedName},
};

// Each call sets the cause whatever the call before left: it is run after a success and after
// a refusal.
TEST(ProfileCauseTest, EachCallSaysWhyItGaveZero) {
  TempFolder folder;
  std::filesystem::create_directory(PathFor(folder, Target::Folder));
  for (const CauseRow& row : Rows) {
    for (const bool afterSuccess : {true, false}) {
      SCOPED_TRACE(std::string(row.Name) + (afterSuccess ? " after a success" : " after a refusal"));
      WriteAll(PathFor(folder, Target::File), Stored);
      std::filesystem::remove(PathFor(folder, Target::NoFile));
      afterSuccess ? Read(PathFor(folder, Target::File).c_str(), "S", "K") : Read(nullptr, "S", "K");
      EXPECT_EQ(row.Call(PathFor(folder, row.Where).c_str()), row.Result);
      EXPECT_EQ(GetLastProfileCause(), row.Cause);
    }
  }
}

// The whole file comes back byte for byte, zero bytes and lone line ends included.
TEST(ProfileCauseTest, ReadProfileFileHandsOutEveryByte) {
  TempFolder folder;
  const std::string file = folder / "Mardel.ini";
  for (const std::string& bytes : {std::string(), std::string("[S]\r\nK=1\0\r\n\rx\n", 14), std::string(300000, 'v')}) {
    WriteAll(file, bytes);
    CString text("marker");
    EXPECT_EQ(ReadProfileFile(file.c_str(), text), 1);
    EXPECT_EQ(std::string(text, static_cast<size_t>(text.GetLength())), bytes);
  }
}

TEST(ProfileCauseTest, EachThreadHasItsOwn) {
  TempFolder folder;
  CString value;
  EXPECT_EQ(GetProfileStringEx((folder / "missing").c_str(), "S", "K", value), 0);
  ProfileCause other = ProfileCause::MissingFile;
  std::thread([&] {
    other = GetLastProfileCause();
    GetProfileStringEx(nullptr, "S", "K", value);
  }).join();
  EXPECT_EQ(other, ProfileCause::None);
  EXPECT_EQ(GetLastProfileCause(), ProfileCause::MissingFile);
}
} // namespace
