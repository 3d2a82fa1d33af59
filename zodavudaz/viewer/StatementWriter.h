// Builds the statements of a viewer settings line.
#ifndef ZODAVUDAZ_VIEWER_STATEMENTWRITER_H
#define ZODAVUDAZ_VIEWER_STATEMENTWRITER_H

#include <zodavudaz/platform/CString.h>

#include <cstddef>
#include <string_view>

/// Appends keywords and value forms to a text, numbers in the C locale. Bytes are gathered and
/// moved into the text in chunks; Finish tells whether all of them got there.
class StatementWriter {
public:
  /// Makes text empty; it receives everything appended until Finish.
  explicit StatementWriter(CString& text) noexcept;
  StatementWriter(const StatementWriter&) = delete;
  StatementWriter& operator=(const StatementWriter&) = delete;

  /// Appends bytes unchanged (a keyword, ";").
  void AppendRaw(std::string_view bytes) noexcept;
  /// Appends " %d".
  void AppendDecimal(long value) noexcept;
  /// Appends " 0x%X".
  void AppendHex(DWORD value) noexcept;
  /// Appends " NAN" for any not-a-number, otherwise " %e".
  void AppendDouble(double value) noexcept;
  /// Appends a blank and the text up to its zero or width bytes, with byte 14 in place of every
  /// blank, ";", tab, CR, LF, vertical tab and form feed; an empty text as a lone byte 14.
  void AppendText(const char* text, std::size_t width) noexcept;
  /// Moves the rest into the text. False, with the text empty, when the text could not hold it all.
  bool Finish() noexcept;

private:
  void Put(char ch) noexcept;
  void Flush() noexcept;

  CString& Text;
  int ExpectedLength = 0;
  std::size_t PendingLength = 0;
  char Pending[512] = {};
};

#endif
