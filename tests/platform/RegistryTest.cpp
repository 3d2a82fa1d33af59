#include <zodavudaz/platform/RegistryCalls.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

TEST(RegistryTest, QueriesThroughHandlesThatStayValidUntilClosed) {
  ClearRegistry();
  SetRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Zo\\Viewer", "Path", REG_SZ, "/opt\0", 5);
  HKEY parent = nullptr, key = nullptr, missing = HKEY_CURRENT_USER;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\zo\\", 0, KEY_QUERY_VALUE, &parent), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExA(parent, "viewer", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Zo", 0, KEY_QUERY_VALUE, &missing), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(missing, nullptr);
  char buffer[8] = "#######";
  DWORD type = REG_NONE, size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "PATH", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size), ERROR_MORE_DATA);
  EXPECT_EQ(std::make_tuple(size, type, std::string(buffer)), std::make_tuple(5u, DWORD{REG_SZ}, "#######"));
  EXPECT_EQ(RegQueryValueExA(key, "Path", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size), ERROR_SUCCESS);
  EXPECT_EQ(std::memcmp(buffer, "/opt\0##", 8), 0);
  EXPECT_EQ(RegQueryValueExA(key, "Path", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), nullptr),
            ERROR_INVALID_PARAMETER);
  EXPECT_EQ(RegQueryValueExA(key, "Other", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
  ClearRegistry();
  EXPECT_EQ(RegQueryValueExA(key, "Path", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
  EXPECT_EQ(GetOpenRegistryKeyCount(), 2);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegOpenKeyExA(key, "x", 0, KEY_QUERY_VALUE, &missing), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(parent), ERROR_SUCCESS);
  EXPECT_EQ(GetOpenRegistryKeyCount(), 0);
}
