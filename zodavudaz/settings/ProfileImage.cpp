#include <zodavudaz/settings/ProfileImage.h>

#include <zodavudaz/settings/HeaderSearch.h>

#include <cstring>
#include <string_view>

namespace {
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr int ByteOrderMarkLength = 3;

bool IsBlank(char ch) noexcept { return ch == ' ' || ch == '\t'; }
} // namespace

bool ProfileImage::ReadWhole(CFile& file, CString& bytes) noexcept {
  bytes.Empty();
  const DWORD length = file.GetLength();
  if (length == CFile::Failed || length > 0x7FFFFFF0u || file.Seek(0, CFile::begin) != 0)
    return false;
  if (length == 0)
    return true;
  char* buffer = bytes.GetBuffer(static_cast<int>(length));
  if (buffer == nullptr)
    return false;
  const bool complete = file.Read(buffer, length) == length;
  bytes.ReleaseBuffer(complete ? static_cast<int>(length) : 0);
  if (!complete)
    bytes.Empty();
  return complete;
}

ProfileLine ProfileImage::LineAt(int begin) const noexcept {
  const char* data = GetData();
  const void* lineFeed = std::memchr(data + begin, '\n', static_cast<size_t>(GetLength() - begin));
  if (lineFeed == nullptr) {
    // A value never holds CR: a CR that ends the file ends its last line.
    const bool loneReturn = GetLength() > begin && data[GetLength() - 1] == '\r';
    return {begin, GetLength() - (loneReturn ? 1 : 0), GetLength()};
  }
  const int feed = static_cast<int>(static_cast<const char*>(lineFeed) - data);
  const int textEnd = feed > begin && data[feed - 1] == '\r' ? feed - 1 : feed;
  return {begin, textEnd, feed + 1};
}

bool ProfileImage::HasByteOrderMark() const noexcept {
  // Files from other programs may open with one.
  return GetLength() >= ByteOrderMarkLength && std::memcmp(GetData(), ByteOrderMark, ByteOrderMarkLength) == 0;
}

bool ProfileImage::EndsWithReturn(const ProfileLine& line) const noexcept {
  return line.HasLineEnd() && GetData()[line.TextEnd] == '\r';
}

bool ProfileImage::EndsLine(int position) const noexcept {
  const char* data = GetData();
  while (position < GetLength() && IsBlank(data[position]))
    ++position;
  if (position == GetLength() || data[position] == '\n')
    return true;
  return data[position] == '\r' && (position + 1 == GetLength() || data[position + 1] == '\n');
}

HeaderSearch ProfileImage::SearchFor(const CString& header) const noexcept {
  return HeaderSearch(std::string_view(GetData(), static_cast<size_t>(GetLength())),
                      std::string_view(header, static_cast<size_t>(header.GetLength())),
                      HasByteOrderMark() ? ByteOrderMarkLength : 0);
}

int ProfileImage::FindHeader(const HeaderSearch& search, int from) const noexcept {
  // A header counts only where it begins a line: "[S]" inside a value is no section.
  const size_t hit = search.FindFrom(static_cast<size_t>(from));
  return hit == HeaderSearch::npos ? -1 : static_cast<int>(hit);
}

ProfileSection ProfileImage::SectionAt(int headerBegin) const noexcept {
  ProfileSection found{LineAt(headerBegin), GetLength(), GetLength()};
  const bool crLfSection = EndsWithReturn(found.Header);
  for (int begin = found.Header.End; begin < GetLength();) {
    const ProfileLine line = LineAt(begin);
    const bool emptyLine = line.IsEmpty() && (EndsWithReturn(line) || !crLfSection);
    // A file from another program may start its next section without an empty line first; its
    // lines are not this section's.
    if (emptyLine || IsHeaderLine(line)) {
      found.BodyEnd = line.Begin;
      found.End = emptyLine ? line.End : line.Begin;
      break;
    }
    begin = line.End;
  }
  return found;
}

bool ProfileImage::FindSection(LPCTSTR section, ProfileSection& found) const noexcept {
  const CString header = CString("[") + section + "]";
  const HeaderSearch search = SearchFor(header);
  // "[X]" opens section "X" only as a whole line: the line "[X]y]" is section "X]y".
  for (int at = FindHeader(search, 0); at >= 0; at = FindHeader(search, at + 1))
    if (EndsLine(at + header.GetLength())) {
      found = SectionAt(at);
      return true;
    }
  return false;
}

bool ProfileImage::IsHeaderLine(const ProfileLine& line, CString* name) const noexcept {
  const char* data = GetData();
  int open = line.Begin == 0 && HasByteOrderMark() ? ByteOrderMarkLength : line.Begin;
  while (open < line.TextEnd && IsBlank(data[open]))
    ++open;
  int close = line.TextEnd;
  while (close > open && IsBlank(data[close - 1]))
    --close;
  if (close - open < 2 || data[open] != '[' || data[close - 1] != ']')
    return false;
  if (name != nullptr)
    *name = CString(data + open + 1, close - open - 2);
  return true;
}

bool ProfileImage::IsKeyLine(const ProfileLine& line, LPCTSTR key, int keyLength) const noexcept {
  const char* text = GetData() + line.Begin;
  const int textLength = line.TextEnd - line.Begin;
  if (keyLength == 0)
    return textLength == 0 || text[0] == '=' || std::memchr(text, '=', static_cast<size_t>(textLength)) == nullptr;
  return textLength > keyLength && text[keyLength] == '=' &&
         std::memcmp(text, key, static_cast<size_t>(keyLength)) == 0;
}

bool ProfileImage::FindValue(const ProfileSection& section, LPCTSTR key, CString& value) const noexcept {
  value.Empty();
  const int keyLength = static_cast<int>(std::strlen(key));
  // The name ends at the first "=", so a key holding one names no line.
  if (std::memchr(key, '=', static_cast<size_t>(keyLength)) != nullptr)
    return false;
  for (int begin = section.Header.End; begin < section.BodyEnd;) {
    const ProfileLine line = LineAt(begin);
    if (IsKeyLine(line, key, keyLength)) {
      // A line without "=" has the empty name; its value starts after its first character.
      const int valueBegin = line.Begin + keyLength + 1;
      value = valueBegin < line.TextEnd ? CString(GetData() + valueBegin, line.TextEnd - valueBegin) : CString();
      return true;
    }
    begin = line.End;
  }
  return false;
}

ProfileCause ProfileImage::GetString(LPCTSTR section, LPCTSTR key, CString& value) const noexcept {
  ProfileSection found{};
  if (!FindSection(section, found)) {
    value.Empty();
    return ProfileCause::MissingSection;
  }
  return FindValue(found, key, value) ? ProfileCause::None : ProfileCause::MissingKey;
}
