#include <zodavudaz/database/SettingsValueList.h>

#include <zodavudaz/platform/LongText.h>

CString SettingsValueList::NextEntry() noexcept {
  const int comma = Text.Find(',', Position);
  if (comma < 0)
    return CString();
  const CString entry = Text.Mid(Position, comma - Position);
  Position = comma + 1;
  return entry;
}

CString SettingsValueList::NextValueText() noexcept {
  const CString entry = NextEntry();
  const int blank = entry.Find(' ');
  return blank < 0 ? entry : entry.Mid(blank + 1);
}

bool SettingsValueList::NextNumber(LONG& value) noexcept {
  const CString text = NextValueText();
  const char* begin = text;
  const char* end = nullptr;
  // Reads as sscanf's "%d" of the 32-bit build does: saturated instead of overflowing.
  const LONG number = StrToLong32(begin, &end);
  if (end == begin)
    return false;
  value = number;
  return true;
}
