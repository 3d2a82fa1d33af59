#include <zodavudaz/control/LineEndConversion.h>

void ConvertTerm(CString source, CString& target) noexcept {
  if (source.IsEmpty()) {
    target = ";";
    return;
  }
  for (int index = 0; index < source.GetLength(); ++index) {
    const char ch = source[index];
    target += ch == '\r' || ch == '\n' ? ';' : ch;
  }
}

void ReverseTerm(CString source, CString& target) noexcept {
  if (source == ";") {
    target.Empty();
    return;
  }
  const int length = source.GetLength();
  for (int index = 0; index < length; ++index) {
    if (source[index] == ';' && index + 1 < length && source[index + 1] == ';') {
      target += "\r\n";
      ++index;
    } else {
      target += source[index];
    }
  }
}
