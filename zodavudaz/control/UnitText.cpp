#include <zodavudaz/control/UnitText.h>

#include <zodavudaz/packets/siblings/CommunicationLibrary.h>

#include <cstring>

namespace {
struct UnitName {
  WORD Code;
  const char* Text;
  /// Null where the Japanese text is the same.
  const char* JapaneseText;
};

// Shift-JIS degree Celsius sign and capital omega.
const UnitName UnitNames[] = {
    {0x0001, "%", nullptr},  {0x0002, "dB", nullptr},  {0x0008, "uSTR", nullptr},   {0x0100, "V", nullptr},
    {0x0200, "A", nullptr},  {0x0210, "Ah", nullptr},  {0x0300, "OHM", "\x83\xB6"}, {0x0400, "W", nullptr},
    {0x0401, "VA", nullptr}, {0x0402, "var", nullptr}, {0x0410, "Wh", nullptr},     {0x0800, "s", nullptr},
    {0x0900, "Hz", nullptr}, {0x0910, "rpm", nullptr}, {0x1000, "C", "\x81\x8E"},   {0x1001, "K", nullptr},
    {0x1002, "F", nullptr},  {0x2100, "deg", nullptr}, {0x2410, "Nm", nullptr},
};

constexpr int UserUnitWidth = 4;

CString UserUnitText(const char* text) {
  return text == nullptr ? CString() : CString(text, static_cast<int>(strnlen(text, UserUnitWidth)));
}
} // namespace

CString ZocGetUnitStr(WORD code) noexcept {
  for (const UnitName& unit : UnitNames) {
    if (unit.Code != code)
      continue;
    const bool japanese = unit.JapaneseText != nullptr && GetMgr()->GetLanguage() == JapaneseLanguage;
    return japanese ? unit.JapaneseText : unit.Text;
  }
  return "?";
}

CString ZocGetUnitStrEx(WORD code, const char* text1, const char* text2) noexcept {
  if (code == UserUnitFirst)
    return UserUnitText(text1);
  if (code != UserUnitBoth)
    return ZocGetUnitStr(code);
  const CString first = UserUnitText(text1);
  // A first text of fewer than 4 characters leaves a zero byte in the padded text: it ends there.
  return first.GetLength() < UserUnitWidth ? first : first + UserUnitText(text2);
}
