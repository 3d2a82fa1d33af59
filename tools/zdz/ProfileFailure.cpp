#include "tools/zdz/ProfileFailure.h"

#include "tools/zdz/ToolCommand.h"

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace {
namespace fs = std::filesystem;

std::string FolderOf(const std::string& fileName) {
  const fs::path folder = fs::path(fileName).parent_path();
  return folder.empty() ? std::string(".") : folder.string();
}

/// Why fileName cannot be used as use asks, as the file system tells.
std::string Reason(const std::string& fileName, FileUse use) {
  std::error_code error;
  const fs::file_status status = fs::status(fileName, error);
  if (fs::is_directory(status))
    return "it is a folder";
  if (fs::exists(status) && !fs::is_regular_file(status))
    return "it is not a regular file";
  const std::string folder = FolderOf(fileName);
  if (!fs::exists(status))
    return fs::is_directory(folder, error) ? "it does not exist" : "the folder '" + folder + "' does not exist";
  if (access(fileName.c_str(), use == FileUse::Read ? R_OK : W_OK) == 0)
    return "an input or output failure";
  return errno == EROFS ? "the file system is read-only" : "no permission";
}
} // namespace

int FailForFile(ProfileCause cause, const std::string& fileName, FileUse use) {
  const char* name = fileName.c_str();
  switch (cause) {
  case ProfileCause::Busy:
    return Fail(ExitBusy, "'%s' is busy: other callers held it for the whole wait of 5 seconds", name);
  case ProfileCause::MissingFile: return Fail(ExitNotFound, "no file '%s': %s", name, Reason(fileName, use).c_str());
  case ProfileCause::RefusedName: return Fail(ExitBadInput, "the settings format cannot hold these names");
  default:
    return Fail(ExitFileSystem, "cannot %s '%s': %s", use == FileUse::Read ? "read" : "write", name,
                Reason(fileName, use).c_str());
  }
}
