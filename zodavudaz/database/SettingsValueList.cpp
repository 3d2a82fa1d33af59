#include <zodavudaz/database/SettingsValueList.h>

#include <zodavudaz/platform/LongText.h>

#include <cstring>

bool SettingsValueList::NextValue(int& begin, int& end) noexcept {
  const int comma = Text.Find(',', Position);
  if (comma < 0)
    return false;
  const char* entry = static_cast<LPCTSTR>(Text) + Position;
  const void* blank = std::memchr(entry, ' ', static_cast<size_t>(comma - Position));
  begin = blank == nullptr ? Position : static_cast<int>(static_cast<const char*>(blank) - entry) + Position + 1;
  end = comma;
  Position = comma + 1;
  return true;
}

CString SettingsValueList::NextValueText() noexcept {
  int begin = 0;
  int end = 0;
  return NextValue(begin, end) ? Text.Mid(begin, end - begin) : CString();
}

bool SettingsValueList::NextNumber(LONG& value) noexcept {
  int begin = 0;
  int end = 0;
  if (!NextValue(begin, end))
    return false;
  const char* text = static_cast<LPCTSTR>(Text) + begin;
  const char* parsedEnd = nullptr;
  // Reads as sscanf's "%d" of the 32-bit build does: saturated instead of overflowing. The
  // number ends at the entry's comma at the latest, as no number goes on past one.
  const LONG number = StrToLong32(text, &parsedEnd);
  if (parsedEnd == text)
    return false;
  value = number;
  return true;
}
