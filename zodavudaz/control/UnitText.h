// The texts of unit codes, with the Japanese signs and the two user units.
#ifndef ZODAVUDAZ_CONTROL_UNITTEXT_H
#define ZODAVUDAZ_CONTROL_UNITTEXT_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

/// Language value of the communication manager that selects the Japanese texts (code page 932).
constexpr DWORD JapaneseLanguage = 17;
/// User unit codes: the first text alone, or the first and the second one.
constexpr WORD UserUnitFirst = 0xFFF0;
constexpr WORD UserUnitBoth = 0xFFF1;

/// The text of unit code; "?" for a code without one.
ZODAVUDAZ_EXPORT CString ZocGetUnitStr(WORD code) noexcept;

/// For UserUnitFirst up to 4 characters of text1; for UserUnitBoth text1 cut or padded with zero
/// bytes to 4 (so a shorter text1 ends the result) and up to 4 characters of text2; otherwise
/// ZocGetUnitStr(code). A null text counts as empty.
ZODAVUDAZ_EXPORT CString ZocGetUnitStrEx(WORD code, const char* text1, const char* text2) noexcept;

#endif
