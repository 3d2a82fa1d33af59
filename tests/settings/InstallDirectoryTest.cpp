#include <zodavudaz/settings/InstallDirectory.h>

#include <zodavudaz/platform/RegistryCalls.h>

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {
const HKEY Machine = HKEY_LOCAL_MACHINE;
const std::string Full(256, 'd');

struct PathCase {
  const char* Name;
  HKEY Root;
  const char* ValueName;
  DWORD Type;
  std::string Data;
  const char* AppName;
  int Result;
  std::string Directory;
};

const PathCase PathCases[] = {
    {"UnterminatedTextCutAtSize", Machine, "Path", REG_SZ, "/opt/zo"s, "ZoViewer.exe", 1, "/opt/zo"},
    {"ZeroInsideEndsText", Machine, "Path", REG_SZ, "/opt\0zo\0"s, "ZoViewer.exe", 1, "/opt"},
    {"FullBufferUnterminated", Machine, "Path", REG_SZ, Full, "ZoViewer.exe", 1, Full},
    {"LongerThanBuffer", Machine, "Path", REG_SZ, Full + 'd', "ZoViewer.exe", 1, ""},
    {"EmptyValue", Machine, "Path", REG_SZ, "", "ZoViewer.exe", 1, ""},
    {"DwordIsNotText", Machine, "Path", REG_DWORD, "ABCD"s, "ZoViewer.exe", 1, ""},
    {"PathMissing", Machine, "Other", REG_SZ, "/opt/zo\0"s, "ZoViewer.exe", 1, ""},
    {"NameInOtherCase", Machine, "PATH", REG_SZ, "/opt/zo\0"s, "zoviewer.EXE", 1, "/opt/zo"},
    {"RegisteredForUserOnly", HKEY_CURRENT_USER, "Path", REG_SZ, "/opt/zo\0"s, "ZoViewer.exe", 0, ""},
    {"EmptyNameOpensNoParentKey", Machine, "Path", REG_SZ, "/opt/zo\0"s, "", 0, ""},
};
} // namespace

TEST(InstallDirectoryTest, TakesOnlyStringTextOfTheApplicationsOwnKey) {
  for (const PathCase& row : PathCases) {
    SCOPED_TRACE(row.Name);
    ClearRegistry();
    SetRegistryValue(row.Root, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ZoViewer.exe", row.ValueName,
                     row.Type, row.Data.data(), static_cast<DWORD>(row.Data.size()));
    CString directory("marker");
    EXPECT_EQ(GetInstallDirectory(row.AppName, directory), row.Result);
    EXPECT_EQ(std::string(directory, static_cast<size_t>(directory.GetLength())), row.Directory);
    EXPECT_EQ(GetOpenRegistryKeyCount(), 0);
  }
  ClearRegistry();
}
