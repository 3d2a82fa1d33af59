#include <zodavudaz/database/SettingsValueList.h>

#include <cstdlib>

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
  char* end = nullptr;
  // strtol reads as sscanf's "%d" does and saturates instead of overflowing.
  const long number = std::strtol(begin, &end, 10);
  if (end == begin)
    return false;
  value = number;
  return true;
}
