#include "tests/TempFiles.h"
#include <zodavudaz/settings/ProfileCause.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <gtest/gtest.h>
#include <thread>

namespace {
const char Stored[] = "[S]\r\nK=1\r\nE=\r\n\r\n";

/// Where a row's call goes; Null is no name at all.
enum class Target { File, NoFile, NoFolder, Folder, Null };

/// A read of a value, a write of one, or a read of the whole file.
enum class Call { Read, Write, Whole };

struct CauseRow {
  const char* Name;
  Target Where;
  Call Kind;
  const char *Section, *Key, *Value;
  int Result;
  ProfileCause Cause;
};

std::string PathFor(const TempFolder& folder, Target where) {
  switch (where) {
  case Target::NoFile: return folder / "missing.ini";
  case Target::NoFolder: return folder / "no-folder/Mardel.ini";
  case Target::Folder: return folder / "folder";
  default: return folder / "Mardel.ini";
  }
}

/// The row's call: its result, or -1 where the text it handed out does not go with the result.
int CallOf(const CauseRow& row, const TempFolder& folder) {
  const std::string path = PathFor(folder, row.Where);
  const char* name = row.Where == Target::Null ? nullptr : path.c_str();
  CString text("marker");
  if (row.Kind == Call::Write)
    return WriteProfileStringEx(name, row.Section, row.Key, row.Value);
  if (row.Kind == Call::Read) {
    const int result = GetProfileStringEx(name, row.Section, row.Key, text);
    return text.IsEmpty() || result == 1 ? result : -1;
  }
  const int result = ReadProfileFile(name, text);
  return text == (result == 1 ? Stored : "") ? result : -1;
}

const CauseRow Rows[] = {
    {"read found", Target::File, Call::Read, "S", "K", nullptr, 1, ProfileCause::None},
    {"read in missing folder", Target::NoFolder, Call::Read, "S", "K", nullptr, 0, ProfileCause::MissingFile},
    {"read key holding =", Target::File, Call::Read, "S", "K=1", nullptr, 0, ProfileCause::MissingKey},
    {"read null key", Target::File, Call::Read, "S", nullptr, nullptr, 0, ProfileCause::RefusedName},
    {"write creating the file", Target::NoFile, Call::Write, "S", "K", "2", 1, ProfileCause::None},
    {"write a null value", Target::File, Call::Write, "S", "K", nullptr, 0, ProfileCause::RefusedName},
    {"whole file", Target::File, Call::Whole, nullptr, nullptr, nullptr, 1, ProfileCause::None},
    {"whole file of a folder", Target::Folder, Call::Whole, nullptr, nullptr, nullptr, 0,
     ProfileCause::FileSystemFailure},
    {"whole file without a name", Target::Null, Call::Whole, nullptr, nullptr, nullptr, 0, ProfileCause::RefusedName},
};

// Each call sets the cause whatever the call before left: it is run after a success and after
// a refusal. The causes of missing files, sections and keys, of refused names and values and of
// folders are checked through the C interface too (tests/c SettingsTest).
TEST(ProfileCauseTest, EachCallSaysWhyItGaveZero) {
  TempFolder folder;
  std::filesystem::create_directory(PathFor(folder, Target::Folder));
  for (const CauseRow& row : Rows) {
    for (const bool afterSuccess : {true, false}) {
      SCOPED_TRACE(std::string(row.Name) + (afterSuccess ? " after a success" : " after a refusal"));
      WriteAll(PathFor(folder, Target::File), Stored);
      std::filesystem::remove(PathFor(folder, Target::NoFile));
      CString value;
      GetProfileStringEx(afterSuccess ? PathFor(folder, Target::File).c_str() : nullptr, "S", "K", value);
      EXPECT_EQ(CallOf(row, folder), row.Result);
      EXPECT_EQ(GetLastProfileCause(), row.Cause);
    }
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
