// Where the demo finds its shipped files, and the copy of a settings folder that it works on.
#ifndef ZODAVUDAZ_TOOLS_DEMO_DEMOFILES_H
#define ZODAVUDAZ_TOOLS_DEMO_DEMOFILES_H

#include <string>

/// The folder of the shipped station file ("VirtualStations.ini") and settings folder
/// ("settings"): share/zodavudaz/demo of the installation, found from the program's own place, so
/// that it works from any current folder. The build links the source tree's tools/demo there.
std::string ShippedDataFolder();

/// A copy of a settings folder in a new temporary folder, removed with this object: the demo
/// writes settings, and never into the files it was given or those installed.
class SettingsCopy {
public:
  SettingsCopy() = default;
  SettingsCopy(const SettingsCopy&) = delete;
  SettingsCopy& operator=(const SettingsCopy&) = delete;
  ~SettingsCopy();

  /// Copies the folder source; false, with error saying why, when it is no folder or the copy
  /// fails.
  bool Make(const std::string& source, std::string& error);
  /// The copy; empty before a successful Make.
  const std::string& GetFolder() const noexcept { return Folder; }

private:
  std::string Folder;
};

#endif
