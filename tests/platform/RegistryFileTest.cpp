#include <zodavudaz/platform/RegistryFile.h>

#include "tests/TempFiles.h"
#include <zodavudaz/platform/RegistryCalls.h>

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {
// The bytes of string value "Path" of HKEY_LOCAL_MACHINE\A, "<none>" when there is none.
std::string PathOfA() {
  HKEY key = nullptr;
  char buffer[64];
  DWORD size = sizeof buffer, type = REG_NONE;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "A", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return "<none>";
  const LONG status = RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS && type == REG_SZ ? std::string(buffer, size) : "<none>";
}

struct FileCase {
  const char* Name;
  std::string Text;
  LONG Status;
  std::string Path;
};

const FileCase FileCases[] = {
    {"CrLf", "[HKEY_LOCAL_MACHINE\\A]\r\nPath=/x y\r\n", ERROR_SUCCESS, "/x y\0"s},
    {"BareLfAndCr", "[HKEY_LOCAL_MACHINE\\A]\nOther=1\rPath=/x", ERROR_SUCCESS, "/x\0"s},
    {"CommentsAndBlankLines", "# c\r\n\r\n; c\r\n[HKEY_LOCAL_MACHINE\\A]\r\nPath==2 \r\n", ERROR_SUCCESS, "=2 \0"s},
    {"EmptyText", "[HKEY_LOCAL_MACHINE\\A]\r\nPath=\r\n", ERROR_SUCCESS, "\0"s},
    {"ValuesGoToTheLastKey", "[HKEY_LOCAL_MACHINE\\A]\r\n[HKEY_LOCAL_MACHINE\\B]\r\nPath=/b", ERROR_SUCCESS, "<none>"},
    {"ValueBeforeKey", "Path=/x\r\n[HKEY_LOCAL_MACHINE\\A]\r\n", ERROR_BADDB, "<none>"},
    {"UnknownRoot", "[HKEY_LOCAL_MACHINE\\A]\r\n[HKLM\\B]\r\n", ERROR_BADDB, "<none>"},
    {"UnclosedKey", "[HKEY_LOCAL_MACHINE\\A\r\n", ERROR_BADDB, "<none>"},
    {"LineWithoutEquals", "[HKEY_LOCAL_MACHINE\\A]\r\nPath=/x\r\nPath\r\n", ERROR_BADDB, "<none>"},
    {"ZeroByte", "[HKEY_LOCAL_MACHINE\\A]\r\nPath=/\0x\r\n"s, ERROR_BADDB, "<none>"},
};
} // namespace

TEST(RegistryFileTest, EntersAWellFormedTextAndNothingOfAnotherOne) {
  for (const FileCase& row : FileCases) {
    SCOPED_TRACE(row.Name);
    ClearRegistry();
    EXPECT_EQ(LoadRegistryText(row.Text.data(), static_cast<DWORD>(row.Text.size())), row.Status);
    EXPECT_EQ(PathOfA(), row.Path);
  }
}

TEST(RegistryFileTest, LoadsAFileByPath) {
  ClearRegistry();
  TempFolder folder;
  WriteAll(folder / "Registry.txt", "[HKEY_LOCAL_MACHINE\\A]\r\nPath=/x\r\n");
  EXPECT_EQ(LoadRegistryFile((folder / "Registry.txt").c_str()), ERROR_SUCCESS);
  EXPECT_EQ(PathOfA(), "/x\0"s);
  EXPECT_EQ(LoadRegistryFile((folder / "missing.txt").c_str()), ERROR_FILE_NOT_FOUND);
}
