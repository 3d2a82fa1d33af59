#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/platform/CFile.h>

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

int Fail(ExitCode code, const char* format, ...) {
  std::fputs("zdz: ", stderr);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
  return code;
}

bool WritesToFreshFile(const std::function<bool(const char* fileName)>& write) {
  std::string folder = (std::filesystem::temp_directory_path() / "zdz-probe-XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr)
    return true;
  const bool written = write((folder + "/probe").c_str());
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return written;
}

int FailUnlessOpens(const std::string& fileName) {
  CFile probe;
  return probe.Open(fileName.c_str(), CFile::modeRead) ? ExitDone
                                                       : Fail(ExitFileSystem, "cannot open '%s'", fileName.c_str());
}

bool ParseNumber(const std::string& text, long min, long max, long& value) {
  if (text.empty())
    return false;
  char* end = nullptr;
  errno = 0;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (errno != 0 || *end != '\0' || parsed < min || parsed > max)
    return false;
  value = parsed;
  return true;
}
