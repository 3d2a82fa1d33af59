#include "tools/demo/DemoScenes.h"

#include <zodavudaz/platform/Desktop.h>
#include <zodavudaz/platform/Registry.h>
#include <zodavudaz/platform/RegistryFile.h>
#include <zodavudaz/settings/DisplayProperty.h>
#include <zodavudaz/settings/InstallDirectory.h>

#include <cstdio>

namespace {
struct TaskbarPlacement {
  const char* Name;
  bool Shown;
  RECT Bar;
};

const TaskbarPlacement Placements[] = {
    {"bottom", true, {-2, 740, 1026, 770}},      {"top", true, {-2, -2, 1026, 28}},
    {"left", true, {-2, -2, 60, 770}},           {"right", true, {960, -2, 1026, 770}},
    {"auto-hidden", true, {-2, 766, 1026, 796}}, {"none", false, {}},
};

void RegisterApplications(const char* settingsFolder) {
  const CString file = CString(settingsFolder) + "/Registry.txt";
  const LONG status = LoadRegistryFile(file);
  std::printf("registration file %s: %s\n", static_cast<LPCTSTR>(file),
              status == ERROR_SUCCESS ? "entered" : "not entered");
  const char scopePath[] = "/opt/zodavudaz/scope";
  SetRegistryValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ZoScope.exe", "Path",
                   REG_SZ, scopePath, sizeof scopePath);
}

void ShowInstallDirectory(const char* appName) {
  CString directory;
  const int found = GetInstallDirectory(appName, directory);
  std::printf("GetInstallDirectory(\"%s\") = %d  \"%s\"\n", appName, found, static_cast<LPCTSTR>(directory));
}

void ShowDisplayProperty(const TaskbarPlacement& placement) {
  ResetDesktop();
  SetScreenSize(1024, 768);
  if (placement.Shown)
    AddDesktopWindow("Shell_TrayWnd", nullptr, placement.Bar);
  int width = 0, height = 0, position = 0;
  RECT workArea{};
  GetDisplayProperty(width, height, position, workArea);
  std::printf("taskbar %-12s screen %dx%d  position %d  work area (%ld, %ld, %ld, %ld)\n", placement.Name, width,
              height, position, static_cast<long>(workArea.left), static_cast<long>(workArea.top),
              static_cast<long>(workArea.right), static_cast<long>(workArea.bottom));
}
} // namespace

void ShowInstallAndDisplay(const char* settingsFolder) {
  std::printf("== Install directory and display area ==\n");
  RegisterApplications(settingsFolder);
  for (const char* appName : {"ZoViewer.exe", "ZoScope.exe", "ZoPlotter.exe"})
    ShowInstallDirectory(appName);
  for (const TaskbarPlacement& placement : Placements)
    ShowDisplayProperty(placement);
  ResetDesktop();
  std::printf("\n");
}
