#include <zodavudaz/viewer/NumberText.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {
// White space of the C locale.
bool IsCSpace(char ch) noexcept { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

bool IsHexDigit(char ch) noexcept {
  return (ch >= '0' && ch <= '9') || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

unsigned HexDigitValue(char ch) noexcept {
  if (ch <= '9')
    return static_cast<unsigned>(ch - '0');
  return static_cast<unsigned>((ch | 0x20) - 'a' + 10);
}

std::string_view SkipCSpace(std::string_view text) noexcept {
  while (!text.empty() && IsCSpace(text.front()))
    text.remove_prefix(1);
  return text;
}

// Removes a leading sign; true when it was a minus.
bool TakeSign(std::string_view& text) noexcept {
  if (text.empty() || (text.front() != '+' && text.front() != '-'))
    return false;
  const bool negative = text.front() == '-';
  text.remove_prefix(1);
  return negative;
}

bool HasHexPrefix(std::string_view text) noexcept {
  return text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
}

// from_chars leaves an out-of-range value unset; strtod gives infinity for too large a magnitude
// and zero for too small a one. The magnitude is the position of the first significant digit
// plus the exponent, in digits (binary digits for hexadecimal).
bool Overflows(std::string_view number, bool hex) noexcept {
  const char exponentMark = hex ? 'p' : 'e';
  long long scale = 0;
  bool seenPoint = false;
  bool seenSignificant = false;
  std::size_t i = 0;
  for (; i < number.size() && (number[i] | 0x20) != exponentMark; ++i) {
    if (number[i] == '.') {
      seenPoint = true;
      continue;
    }
    seenSignificant = seenSignificant || number[i] != '0';
    if (seenSignificant && !seenPoint)
      ++scale; // an integer digit
    else if (!seenSignificant && seenPoint)
      --scale; // a zero between the point and the first significant digit
  }
  const long long exponent = i < number.size() ? ParseDecimal(number.substr(i + 1)) : 0;
  return scale * (hex ? 4 : 1) + exponent > 0;
}

// An unsigned number in the given format; false when there is none.
bool FromChars(std::string_view text, std::chars_format format, double& value) noexcept {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, format);
  if (error == std::errc::result_out_of_range)
    value = Overflows(text.substr(0, static_cast<std::size_t>(end - text.data())), format == std::chars_format::hex)
                ? HUGE_VAL
                : 0.0;
  return error == std::errc() || error == std::errc::result_out_of_range;
}

bool ParseUnsignedDouble(std::string_view text, double& value) noexcept {
  if (HasHexPrefix(text)) {
    const std::string_view digits = text.substr(2);
    const bool hasMantissa =
        !digits.empty() && (IsHexDigit(digits[0]) || (digits[0] == '.' && digits.size() > 1 && IsHexDigit(digits[1])));
    if (hasMantissa)
      return FromChars(digits, std::chars_format::hex, value);
    value = 0.0; // only the "0" before the x is a number
    return true;
  }
  if (text.empty() || text.front() == '+' || text.front() == '-')
    return false;
  return FromChars(text, std::chars_format::general, value);
}
} // namespace

char* FormatDecimal(char* out, long value) noexcept { return std::to_chars(out, out + NumberTextCapacity, value).ptr; }

char* FormatHex(char* out, DWORD value) noexcept {
  char* end = std::to_chars(out, out + NumberTextCapacity, value, 16).ptr;
  for (char* digit = out; digit != end; ++digit)
    if (*digit >= 'a')
      *digit = static_cast<char>(*digit - 'a' + 'A');
  return end;
}

char* FormatScientific(char* out, double value) noexcept {
  return std::to_chars(out, out + NumberTextCapacity, value, std::chars_format::scientific, 6).ptr;
}

int ParseDecimal(std::string_view text) noexcept {
  text = SkipCSpace(text);
  const bool negative = TakeSign(text);
  constexpr long long Limit = 0x80000000LL;
  long long magnitude = 0;
  for (; !text.empty() && text.front() >= '0' && text.front() <= '9'; text.remove_prefix(1))
    if (magnitude <= Limit)
      magnitude = magnitude * 10 + (text.front() - '0');
  if (negative)
    return static_cast<int>(magnitude >= Limit ? -Limit : -magnitude);
  return static_cast<int>(magnitude >= Limit ? Limit - 1 : magnitude);
}

double ParseDouble(std::string_view text) noexcept {
  text = SkipCSpace(text);
  const bool negative = TakeSign(text);
  double value = 0.0;
  if (!ParseUnsignedDouble(text, value))
    return 0.0;
  return negative ? -value : value;
}

bool ParseHex(std::string_view text, DWORD& value) noexcept {
  if (!text.starts_with("0x"))
    return false;
  text = SkipCSpace(text.substr(2));
  const bool negative = TakeSign(text);
  // A "0x" of the number itself counts as the digit 0, even without digits after it.
  bool hasDigits = HasHexPrefix(text);
  if (hasDigits)
    text.remove_prefix(2);
  std::uint64_t magnitude = 0;
  for (; !text.empty() && IsHexDigit(text.front()); text.remove_prefix(1)) {
    hasDigits = true;
    if (magnitude <= 0xFFFFFFFFu)
      magnitude = magnitude * 16 + HexDigitValue(text.front());
  }
  if (!hasDigits)
    return false;
  if (magnitude > 0xFFFFFFFFu)
    value = 0xFFFFFFFFu;
  else
    value = static_cast<DWORD>(negative ? 0u - magnitude : magnitude);
  return true;
}

double ParseStoredDouble(std::string_view text) noexcept { return text == "NAN" ? StoredNan() : ParseDouble(text); }

double StoredNan() noexcept { return std::bit_cast<double>(~std::uint64_t{0}); }
