#include "tools/demo/DemoFiles.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

std::string ShippedDataFolder() {
  std::error_code failure;
  const fs::path program = fs::read_symlink("/proc/self/exe", failure);
  // The path from the installed program's folder to the data, set by the build.
  return (program.parent_path() / ZDZ_DEMO_DATA_FROM_PROGRAM).lexically_normal().string();
}

SettingsCopy::~SettingsCopy() {
  std::error_code ignored;
  if (!Folder.empty())
    fs::remove_all(Folder, ignored);
}

bool SettingsCopy::Make(const std::string& source, std::string& error) {
  std::error_code failure;
  if (!fs::is_directory(source, failure)) {
    error = "the settings folder " + source + " is missing or no folder";
    return false;
  }
  const std::string pattern = (fs::temp_directory_path(failure) / "zdz-demo-XXXXXX").string();
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (failure || ::mkdtemp(name.data()) == nullptr) {
    error = "no temporary folder for a copy of the settings";
    return false;
  }
  Folder = name.data();
  fs::copy(source, Folder, fs::copy_options::recursive, failure);
  if (failure)
    error = "cannot copy " + source + " to " + Folder + ": " + failure.message();
  return !failure;
}
