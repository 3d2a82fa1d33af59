#include "tools/zdz/ToolCommand.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

int Fail(ExitCode code, const char* format, ...) {
  std::fputs("zdz: ", stderr);
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fputc('\n', stderr);
  return code;
}

std::string ToStdString(const CString& text) { return std::string(text, static_cast<std::size_t>(text.GetLength())); }

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
