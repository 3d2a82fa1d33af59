#include "tools/zdz/ProfileLines.h"

#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/settings/ProfileFile.h>

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
  // Writers replace the file whole, so the file opened here stays one version while it is read;
  // the tool takes no part in the writers' locking, which is the library's own.
  CFile file;
  if (!file.Open(fileName, CFile::modeRead))
    return false;
  const DWORD length = file.GetLength();
  if (length == CFile::Failed || length > MaxProfileBytes)
    return false;
  lines.clear();
  for (std::string text = NextLine(file); !text.empty(); text = NextLine(file))
    lines.push_back(SplitLineEnd(std::move(text), static_cast<int>(lines.size()) + 1));
  return true;
}

int ReadProfileLinesOrFail(const std::string& fileName, std::vector<ProfileFileLine>& lines) {
  if (ReadProfileLines(fileName.c_str(), lines))
    return ExitDone;
  CFile probe;
  if (!probe.Open(fileName.c_str(), CFile::modeRead))
    return Fail(ExitFileSystem, "cannot open '%s'", fileName.c_str());
  const DWORD length = probe.GetLength();
  if (length != CFile::Failed && length > MaxProfileBytes)
    return Fail(ExitBadInput, "'%s' is larger than %u bytes", fileName.c_str(), MaxProfileBytes);
  return Fail(ExitFileSystem, "cannot read '%s'", fileName.c_str());
}

const ProfileFileLine* FindSectionHeader(const std::vector<ProfileFileLine>& lines, const std::string& section) {
  std::string name;
  for (const ProfileFileLine& line : lines)
    if (line.IsHeader(name) && name == section)
      return &line;
  return nullptr;
}
