#include "tools/zdz/ProfileLines.h"

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/ProfileLock.h>

namespace {
// ReadStringEx reads as much as it is asked for; chunks keep a file of many lines linear.
constexpr unsigned ChunkBytes = 4096;

/// The next line with its line end, pieced together from chunks; empty at the end of the file.
std::string NextLine(CFile& file) {
  std::string line;
  for (;;) {
    CString piece;
    ReadStringEx(&file, ChunkBytes, piece);
    line.append(static_cast<LPCTSTR>(piece), piece.GetLength());
    if (piece.IsEmpty() || line.back() == '\n')
      return line;
  }
}

ProfileFileLine SplitLineEnd(std::string text, int number) {
  ProfileFileLine::End end = ProfileFileLine::End::None;
  if (!text.empty() && text.back() == '\n') {
    text.pop_back();
    end = ProfileFileLine::End::Lf;
    if (!text.empty() && text.back() == '\r') {
      text.pop_back();
      end = ProfileFileLine::End::CrLf;
    }
  }
  return ProfileFileLine{std::move(text), end, number};
}
} // namespace

bool ProfileFileLine::IsHeader(std::string& name) const {
  // The engine accepts a UTF-8 byte-order mark before the first header.
  const std::size_t start = Number == 1 && Text.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
  const std::size_t open = Text.find_first_not_of(' ', start);
  if (open == std::string::npos || Text[open] != '[')
    return false;
  const std::size_t close = Text.find(']', open);
  if (close == std::string::npos)
    return false;
  name = Text.substr(open + 1, close - open - 1);
  return true;
}

std::string ProfileFileLine::KeyName() const {
  const std::size_t equals = Text.find('=');
  return equals == std::string::npos ? std::string() : Text.substr(0, equals);
}

bool ReadProfileLines(const char* fileName, std::vector<ProfileFileLine>& lines) {
  CFile file;
  if (!file.Open(fileName, CFile::modeRead) || !ProfileLock().LockForReading(file))
    return false;
  const DWORD length = file.GetLength();
  if (length == CFile::Failed || length > MaxProfileBytes)
    return false;
  lines.clear();
  for (std::string text = NextLine(file); !text.empty(); text = NextLine(file))
    lines.push_back(SplitLineEnd(std::move(text), static_cast<int>(lines.size()) + 1));
  return true;
}
