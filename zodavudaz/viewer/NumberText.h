// Number text of the viewer settings lines, in the C locale whatever the process locale is.
#ifndef ZODAVUDAZ_VIEWER_NUMBERTEXT_H
#define ZODAVUDAZ_VIEWER_NUMBERTEXT_H

#include <zodavudaz/platform/BaseTypes.h>

#include <string_view>

/// Room that every Format function below needs at out.
constexpr int NumberTextCapacity = 32;

/// Writes value as "%d" does; returns the end of the text (no terminating zero).
char* FormatDecimal(char* out, long value) noexcept;
/// Writes value as "%X" does (upper-case digits); returns the end of the text.
char* FormatHex(char* out, DWORD value) noexcept;
/// Writes value as "%e" does ("inf", "-inf" and "nan" included); returns the end of the text.
char* FormatScientific(char* out, double value) noexcept;

/// The number atoi finds at the start of text: leading white space, an optional sign and digits,
/// saturated to the int range; 0 when there are no digits.
int ParseDecimal(std::string_view text) noexcept;
/// The number atof finds at the start of text (decimal, hexadecimal, infinity or not-a-number);
/// 0.0 when there is none.
double ParseDouble(std::string_view text) noexcept;
/// Reads text as sscanf with "0x%X" does: true and value set when it matches, false and value
/// unchanged when it does not.
bool ParseHex(std::string_view text, DWORD& value) noexcept;
/// A stored double value: all 64 bits set for exactly "NAN", otherwise as ParseDouble.
double ParseStoredDouble(std::string_view text) noexcept;

/// The not-a-number that the settings lines carry as "NAN": all 64 bits set.
double StoredNan() noexcept;

#endif
