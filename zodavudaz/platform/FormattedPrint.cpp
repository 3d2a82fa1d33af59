#include <zodavudaz/platform/FormattedPrint.h>

#include <cstdarg>
#include <cstdio>

int wsprintfA(LPTSTR buffer, LPCTSTR format, ...) noexcept {
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(buffer, FormattedPrintLimit + 1, format, args);
  va_end(args);
  if (length < 0) {
    buffer[0] = '\0';
    return 0;
  }
  return length > FormattedPrintLimit ? FormattedPrintLimit : length;
}
