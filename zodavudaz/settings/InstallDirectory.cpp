#include <zodavudaz/settings/InstallDirectory.h>

#include <zodavudaz/platform/RegistryCalls.h>

#include <cstring>

namespace {
constexpr char AppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
constexpr DWORD PathBufferSize = 256;

// Registry data may be unterminated or not text: only a string value is taken, cut at the size the
// query returned and at its first zero.
CString ReadPath(HKEY key) {
  char buffer[PathBufferSize];
  DWORD type = REG_NONE;
  DWORD size = sizeof buffer;
  const LONG status = RegQueryValueExA(key, "Path", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
  if (status != ERROR_SUCCESS || type != REG_SZ || size > sizeof buffer)
    return CString();
  return CString(buffer, static_cast<int>(strnlen(buffer, size)));
}
} // namespace

int GetInstallDirectory(CString appName, CString& directory) noexcept {
  directory.Empty();
  // An empty name would open the App Paths key itself, which registers no application.
  if (appName.IsEmpty())
    return 0;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, AppPathsKey + appName, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return 0;
  const CString path = ReadPath(key);
  RegCloseKey(key);
  directory = path;
  return 1;
}
