// Settings files through the C interface: values, whole files, lines, placements and back-up
// information read and written as the C++ calls read and write them, each failure with the status
// of its cause.
#include "tests/TempFiles.h"
#include "tests/c/CInterfaceFixture.h"
#include <zodavudaz/c/ProfileStatus.h>
#include <zodavudaz/platform/Desktop.h>
#include <zodavudaz/platform/Registry.h>
#include <zodavudaz/settings/DisplayProperty.h>
#include <zodavudaz/settings/ProfileCauseSetter.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/WindowPlacementEntries.h>

#include <cstring>

namespace {
const char Stored[] = "[S]\r\nK=1\r\nE=\r\n\r\n";

class SettingsTest : public CInterfaceFixture {
protected:
  SettingsTest() {
    WriteAll(File, Stored);
    std::filesystem::create_directory(Folder.Path / "folder");
    EXPECT_EQ(zdz_set_current_path(Folder.Path.c_str()), ZDZ_OK);
  }

  TempFolder Folder;
  const std::string File = Folder / "Mardel.ini";
  /// The stored state's file in the current folder.
  const std::string StoredState = Folder / "Mardel.tmp";
};

TEST_F(SettingsTest, ValuesReadAsTheEngineReadsThemWithTheStatusOfEachCause) {
  struct Row {
    const char* Name;
    std::string File;
    const char* Section;
    const char* Key;
    int32_t Status;
    ProfileCause Cause;
  };
  const Row rows[] = {
      {"found", File, "S", "K", ZDZ_OK, ProfileCause::None},
      {"empty value", File, "S", "E", ZDZ_OK, ProfileCause::None},
      {"missing file", Folder / "missing.ini", "S", "K", ZDZ_E_NOT_FOUND, ProfileCause::MissingFile},
      {"missing section", File, "T", "K", ZDZ_E_NOT_FOUND, ProfileCause::MissingSection},
      {"missing key", File, "S", "k", ZDZ_E_NOT_FOUND, ProfileCause::MissingKey},
      {"a folder", Folder / "folder", "S", "K", ZDZ_E_FILE_SYSTEM, ProfileCause::FileSystemFailure},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    const std::string value = TextOf(Bound(zdz_get_profile_string, row.File.c_str(), row.Section, row.Key), row.Status);
    EXPECT_EQ(AnswerOf(zdz_get_last_profile_cause), static_cast<int32_t>(row.Cause));
    CString expected("marker");
    GetProfileStringEx(row.File.c_str(), row.Section, row.Key, expected);
    EXPECT_EQ(value, TextOf(expected));
  }
}

// A new file's bytes are python/tests/test_settings.py::test_every_byte_but_cr_and_lf_survives_a_write_and_a_read.
TEST_F(SettingsTest, WritesChangeTheFileAsTheEngineDoes) {
  struct Row {
    const char* Name;
    std::string File;
    const char* Key;
    const char* Value;
    int32_t Status;
    /// The file's bytes afterwards ("" for a file not made).
    std::string Written;
  };
  const Row rows[] = {
      {"replacing", File, "K", "2", ZDZ_OK, "[S]\r\nE=\r\nK=2\r\n\r\n"},
      {"value with CR", File, "K", "a\rb", ZDZ_E_REFUSED_NAME, Stored},
      {"key with =", File, "K=", "1", ZDZ_E_REFUSED_NAME, Stored},
      {"in a missing folder", Folder / "no/Mardel.ini", "K", "1", ZDZ_E_FILE_SYSTEM, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    WriteAll(File, Stored);
    EXPECT_EQ(zdz_write_profile_string(row.File.c_str(), "S", row.Key, row.Value), row.Status);
    EXPECT_EQ(ReadAll(row.File), row.Written);
  }
}

TEST_F(SettingsTest, TheWholeFileComesWithEveryByteAndLinesWithTheirEnds) {
  const std::string bytes("[S]\r\nK=1\0\r\n\rx\n", 14);
  WriteAll(File, bytes);
  EXPECT_EQ(TextOf(Bound(zdz_read_profile_file, File.c_str())), bytes);
  EXPECT_EQ(TextOf(Bound(zdz_read_profile_file, (Folder / "missing").c_str()), ZDZ_E_NOT_FOUND), "");

  // Lines come one by one with their line ends.
  WriteAll(File, "[S]\r\nLonger line\nlast");
  zdz_settings_file* file = nullptr;
  ASSERT_EQ(zdz_settings_file_open(File.c_str(), &file), ZDZ_OK);
  char line[8];
  uint32_t size = 0;
  ASSERT_EQ(zdz_read_string_ex(file, line, sizeof line, &size), ZDZ_OK);
  EXPECT_STREQ(line, "[S]\r\n");
  EXPECT_EQ(zdz_read_string_ex(file, nullptr, 0, &size), ZDZ_OK);
  EXPECT_EQ(size, 13u);
  EXPECT_EQ(zdz_read_string_ex(file, line, sizeof line, &size), ZDZ_E_BUFFER_TOO_SMALL);
  EXPECT_STREQ(line, "Longer ");
  EXPECT_EQ(TextOf(Bound(zdz_read_string_ex, file)), "Longer line\n");
  EXPECT_EQ(TextOf(Bound(zdz_read_string_ex, file)), "last");
  EXPECT_EQ(TextOf(Bound(zdz_read_string_ex, file)), "");
  EXPECT_EQ(zdz_settings_file_close(file), ZDZ_OK);
  EXPECT_EQ(zdz_settings_file_close(file), ZDZ_E_HANDLE);
  EXPECT_EQ(zdz_read_string_ex(file, line, sizeof line, &size), ZDZ_E_HANDLE);
  EXPECT_EQ(zdz_settings_file_open((Folder / "missing").c_str(), &file), ZDZ_E_NOT_FOUND);
  EXPECT_EQ(zdz_settings_file_open((Folder / "folder").c_str(), &file), ZDZ_E_FILE_SYSTEM);
}

TEST_F(SettingsTest, PlacementsAreStoredAndReadAsTheEngineStoresThem) {
  const zdz_window_placement placement{0, 0, 1, -1, -1, -1, -1, {10, 20, 300, 400}};
  ASSERT_EQ(zdz_write_window_placement(&placement, StoredState.c_str()), ZDZ_OK);
  ASSERT_EQ(zdz_write_window_placement_ex(&placement, 2, -9, StoredState.c_str()), ZDZ_OK);
  WINDOWPLACEMENT expected{};
  ASSERT_EQ(ReadWindowPlacementFile(&expected, StoredState.c_str()), 1);
  zdz_window_placement read{};
  ASSERT_EQ(zdz_read_window_placement(&read), ZDZ_OK);
  EXPECT_EQ(std::memcmp(&read, &expected, sizeof read), 0);
  EXPECT_EQ(read.length, 44u);
  ASSERT_EQ(zdz_read_window_placement_ex(&read, 2, -9), ZDZ_OK);
  ASSERT_EQ(zdz_read_window_placement_ex_file(&read, 2, -9, StoredState.c_str()), ZDZ_OK);
  EXPECT_EQ(read.normal.bottom, 400);

  zdz_window_placement untouched{};
  untouched.flags = 77;
  EXPECT_EQ(zdz_read_window_placement_ex_file(&untouched, 2, 3, StoredState.c_str()), ZDZ_E_NOT_FOUND);
  EXPECT_EQ(untouched.flags, 77u);
  WriteAll(StoredState, "[Settings]\r\nWindowPos=0,1,2\r\n\r\n");
  EXPECT_EQ(zdz_read_window_placement_file(&untouched, StoredState.c_str()), ZDZ_E_NOT_FOUND);
  EXPECT_EQ(zdz_read_window_placement_file(&untouched, (Folder / "folder").c_str()), ZDZ_E_FILE_SYSTEM);
  EXPECT_EQ(zdz_read_window_placement_ex(&untouched, 77, 1), ZDZ_E_UNKNOWN);
  EXPECT_EQ(zdz_write_window_placement_ex(&placement, 77, 1, StoredState.c_str()), ZDZ_E_UNKNOWN);
  EXPECT_EQ(zdz_write_window_placement(&placement, (Folder / "folder").c_str()), ZDZ_E_FILE_SYSTEM);
}

// Information found, and a station without a section, are
// python/tests/test_settings.py::test_back_up_information.
TEST_F(SettingsTest, BackUpInformationIsAcceptedAsTheEngineAcceptsIt) {
  WriteAll(StoredState, "[StationBravo-Module2]\r\nProduct=ZO4d02 input\r\nModuleInf=module text\r\n\r\n"
                        "[StationBravo-Module3]\r\nProduct=other\r\nModuleInf=module text\r\n\r\n");
  EXPECT_EQ(TextOf(Bound(zdz_get_module_backup_inf_file, 2, 3, StoredState.c_str()), ZDZ_E_NOT_FOUND), "");
  EXPECT_EQ(TextOf(Bound(zdz_get_module_backup_inf_file, 2, 9, StoredState.c_str()), ZDZ_E_UNKNOWN), "");
  EXPECT_EQ(TextOf(Bound(zdz_get_module_backup_inf, 2, 2)), "module text");
  // Only a file that cannot be read fails; no entry is empty text.
  const std::string noKey = Folder / "no-key.tmp";
  WriteAll(noKey, "[StationBravo]\r\nWindowPos=0\r\n\r\n");
  const struct {
    std::string Path;
    int32_t Status;
    const char* Text;
  } stationRows[] = {
      {noKey, ZDZ_OK, ""},
      {Folder / "missing", ZDZ_OK, ""},
      {Folder / "folder", ZDZ_E_FILE_SYSTEM, ""},
  };
  for (const auto& row : stationRows) {
    SCOPED_TRACE(row.Path);
    EXPECT_EQ(TextOf(Bound(zdz_get_station_backup_inf, 2, row.Path.c_str()), row.Status), row.Text);
  }
}

// An application without a registration is a bad input row and
// python/tests/test_settings.py::test_an_application_without_a_registration_has_no_install_directory.
TEST_F(SettingsTest, InstallFoldersAndTheDisplayAreaAreThePlatforms) {
  const char path[] = "/opt/app";
  ASSERT_EQ(SetRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\app.exe",
                             "Path", REG_SZ, path, sizeof path),
            0);
  EXPECT_EQ(TextOf(Bound(zdz_get_install_directory, "app.exe")), "/opt/app");
  ClearRegistry();

  SetScreenSize(1024, 768);
  ASSERT_NE(AddDesktopWindow("Shell_TrayWnd", nullptr, RECT{-2, 740, 1026, 770}), nullptr);
  int32_t width = 0, height = 0, position = -1;
  zdz_rect area{};
  ASSERT_EQ(zdz_get_display_property(&width, &height, &position, &area), ZDZ_OK);
  int expectedWidth = 0, expectedHeight = 0, expectedPosition = 0;
  RECT expectedArea{};
  GetDisplayProperty(expectedWidth, expectedHeight, expectedPosition, expectedArea);
  EXPECT_EQ(std::tie(width, height, position), std::tie(expectedWidth, expectedHeight, expectedPosition));
  EXPECT_EQ(std::memcmp(&area, &expectedArea, sizeof area), 0);
  ResetDesktop();
}

TEST(ProfileStatusTest, EachCauseHasItsStatus) {
  // The causes that real calls give are the tests above; a busy file and the notices are not.
  const std::pair<ProfileCause, int32_t> rows[] = {
      {ProfileCause::Busy, ZDZ_E_BUSY},
      {ProfileCause::None, ZDZ_E_NOT_FOUND},
      {ProfileCause::StaleJournal, ZDZ_E_NOT_FOUND},
      {ProfileCause::UnprotectedWrite, ZDZ_E_NOT_FOUND},
  };
  // A call that gave 1 with a notice succeeded.
  const auto succeeded = [](ProfileCause cause) {
    return cause == ProfileCause::None || cause == ProfileCause::StaleJournal ||
           cause == ProfileCause::UnprotectedWrite;
  };
  static_assert(ZDZ_CAUSE_STALE_JOURNAL == static_cast<int>(ProfileCause::StaleJournal) &&
                ZDZ_CAUSE_UNPROTECTED_WRITE == static_cast<int>(ProfileCause::UnprotectedWrite));
  for (const auto& [cause, status] : rows) {
    SetLastProfileCause(cause);
    EXPECT_EQ(FailedProfileStatus(), status) << static_cast<int>(cause);
    EXPECT_EQ(LastProfileStatus(), succeeded(cause) ? ZDZ_OK : status) << static_cast<int>(cause);
  }
}
} // namespace
