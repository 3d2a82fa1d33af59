#include <zodavudaz/c/LastError.h>

#include <zodavudaz/zodavudaz_c.h>

#include <cstdarg>
#include <cstdio>

namespace {
// Room for a file name, a section and a statement; longer texts are cut.
constexpr std::size_t TextRoom = 1024;
// The widest a byte becomes: "\xHH".
constexpr std::size_t EscapedWidth = 4;

// A plain array: a thread's text needs no constructor or destructor, and no allocation.
thread_local char LastText[TextRoom];

bool IsPrintable(unsigned char byte) noexcept { return byte >= 0x20 && byte < 0x7F; }
} // namespace

void ClearLastError() noexcept { LastText[0] = '\0'; }

void NoteLastError(const char* format, ...) noexcept {
  char raw[TextRoom];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(raw, sizeof raw, format, arguments);
  va_end(arguments);
  std::size_t written = 0;
  for (const char* at = raw; *at != '\0' && written + EscapedWidth < TextRoom; ++at) {
    const auto byte = static_cast<unsigned char>(*at);
    if (IsPrintable(byte))
      LastText[written++] = *at;
    else
      written += static_cast<std::size_t>(std::snprintf(LastText + written, EscapedWidth + 1, "\\x%02X", byte));
  }
  LastText[written] = '\0';
}

int32_t Refused(int32_t status) noexcept {
  ClearLastError();
  return status;
}

const char* zdz_last_error(void) { return LastText; }

int32_t zdz_set_last_error(int32_t status, const char* text) {
  if (text == nullptr)
    ClearLastError();
  else
    NoteLastError("%s", text);
  return status;
}
