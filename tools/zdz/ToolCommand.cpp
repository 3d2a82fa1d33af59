#include "tools/zdz/ToolCommand.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

int Fail(ExitCode code, const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list counting;
  va_copy(counting, args);
  std::string message(static_cast<std::size_t>(std::max(std::vsnprintf(nullptr, 0, format, counting), 0)), '\0');
  va_end(counting);
  std::vsnprintf(message.data(), message.size() + 1, format, args);
  va_end(args);
  // Messages quote names and lines of files: their other bytes never reach the terminal raw.
  std::fputs("zdz: ", stderr);
  for (const char each : message) {
    const auto byte = static_cast<unsigned char>(each);
    if (byte >= 0x20 && byte < 0x7F)
      std::fputc(byte, stderr);
    else
      std::fprintf(stderr, "\\x%02X", byte);
  }
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
