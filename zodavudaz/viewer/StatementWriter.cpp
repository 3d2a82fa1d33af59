#include <zodavudaz/viewer/StatementWriter.h>

#include <zodavudaz/viewer/NumberText.h>

#include <cmath>
#include <cstring>

namespace {
// Byte 14 carries blanks inside values; the other bytes would end a value or the stored line.
constexpr char BlankMark = 14;

bool EndsValue(char ch) noexcept { return ch == ' ' || ch == ';' || (ch >= '\t' && ch <= '\r'); }
} // namespace

StatementWriter::StatementWriter(CString& text) noexcept : Text(text) { Text.Empty(); }

void StatementWriter::AppendRaw(std::string_view bytes) noexcept {
  for (char ch : bytes)
    Put(ch);
}

void StatementWriter::AppendDecimal(long value) noexcept {
  char digits[NumberTextCapacity + 1] = {' '};
  AppendRaw({digits, FormatDecimal(digits + 1, value)});
}

void StatementWriter::AppendHex(DWORD value) noexcept {
  char digits[NumberTextCapacity + 3] = {' ', '0', 'x'};
  AppendRaw({digits, FormatHex(digits + 3, value)});
}

void StatementWriter::AppendDouble(double value) noexcept {
  if (std::isnan(value)) {
    AppendRaw(" NAN");
    return;
  }
  char digits[NumberTextCapacity + 1] = {' '};
  AppendRaw({digits, FormatScientific(digits + 1, value)});
}

void StatementWriter::AppendText(const char* text, std::size_t width) noexcept {
  Put(' ');
  const std::size_t length = strnlen(text, width);
  if (length == 0)
    Put(BlankMark);
  for (std::size_t i = 0; i < length; ++i)
    Put(EndsValue(text[i]) ? BlankMark : text[i]);
}

bool StatementWriter::Finish() noexcept {
  Flush();
  if (Text.GetLength() == ExpectedLength)
    return true;
  Text.Empty();
  return false;
}

void StatementWriter::Put(char ch) noexcept {
  if (PendingLength == sizeof Pending - 1)
    Flush();
  Pending[PendingLength++] = ch;
}

void StatementWriter::Flush() noexcept {
  Pending[PendingLength] = '\0';
  Text += Pending;
  ExpectedLength += static_cast<int>(PendingLength);
  PendingLength = 0;
}
