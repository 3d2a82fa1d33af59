#include <zodavudaz/sim/DescriptionFile.h>

#include <zodavudaz/settings/ProfileFile.h>

namespace {
// Files from other programs may open with one; the engine reads past it.
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t ByteOrderMarkLength = 3;
// A line quoted in a message is cut to this many characters.
constexpr std::size_t QuotedLength = 40;

// Under the readers' lock, as the values are read: one version of the file, never a write half done.
bool ReadWhole(LPCTSTR fileName, std::string& bytes) {
  CString text;
  if (fileName == nullptr || !ReadProfileFile(fileName, text))
    return false;
  bytes.assign(static_cast<LPCTSTR>(text), static_cast<std::size_t>(text.GetLength()));
  return true;
}

std::string Quoted(const std::string& text) {
  return "\"" + (text.size() > QuotedLength ? text.substr(0, QuotedLength) + "..." : text) + "\"";
}

std::string LineText(std::size_t number) { return "line " + std::to_string(number); }
} // namespace

std::string WithoutBlanks(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string PrintableText(const std::string& text) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  std::string printable;
  for (const char each : text) {
    const auto byte = static_cast<unsigned char>(each);
    if (byte >= 0x20 && byte < 0x7F)
      printable += each;
    else
      printable.append("\\x").append(1, Digits[byte >> 4]).append(1, Digits[byte & 0xF]);
  }
  return printable;
}

bool DescriptionFile::Open(LPCTSTR fileName) {
  FileName = fileName == nullptr ? "" : fileName;
  Sections.clear();
  Order.clear();
  std::string bytes;
  if (!ReadWhole(fileName, bytes)) {
    Message = PrintableText(FileName + ": cannot be opened").c_str();
    return false;
  }
  const std::size_t start = bytes.compare(0, ByteOrderMarkLength, ByteOrderMark) == 0 ? ByteOrderMarkLength : 0;
  Walk walk;
  for (std::size_t begin = start; begin < bytes.size();) {
    const std::size_t feed = bytes.find('\n', begin);
    const std::size_t end = feed == std::string::npos ? bytes.size() : feed;
    const bool crLf = feed != std::string::npos && end > begin && bytes[end - 1] == '\r';
    ++walk.LineNumber;
    if (!NoteLine(bytes.substr(begin, end - begin - (crLf ? 1 : 0)), crLf, feed != std::string::npos, walk))
      return false;
    begin = end + 1;
  }
  return true;
}

// Mirrors the engine: a header opens a section, an empty line ends it, "key=" lines belong to it.
// ";" lines are comments; lines of blanks are read past.
bool DescriptionFile::NoteLine(const std::string& text, bool crLf, bool hasLineEnd, Walk& walk) {
  if (text.empty() && hasLineEnd && (crLf || !walk.CrLfSection)) {
    if (walk.Current != nullptr)
      walk.EmptyLine = walk.LineNumber;
    walk.Current = nullptr;
    return true;
  }
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos || text[first] == ';')
    return true;
  if (text[first] == '[')
    return NoteHeader(text, first, crLf, walk);
  return NoteKey(text, walk);
}

// The engine finds a section only by a line that is "[" + name + "]" from its first byte, with
// nothing but blanks after it; any other line that looks like a header would be read otherwise.
bool DescriptionFile::NoteHeader(const std::string& text, std::size_t bracket, bool crLf, Walk& walk) {
  const std::size_t close = text.find_last_not_of(" \t");
  if (bracket != 0 || text[close] != ']') {
    const std::string fault = LineText(walk.LineNumber) + " " + Quoted(text) +
                              ": a section header is \"[NAME]\" from the line's first byte, with nothing after it";
    return walk.Current != nullptr ? Fail(walk.CurrentName, "", fault) : FailOutside(fault);
  }
  const std::string name = text.substr(1, close - 1);
  const auto [section, added] = Sections.try_emplace(name);
  if (!added)
    return Fail(name, "",
                "section repeated on " + LineText(walk.LineNumber) + " (first on " +
                    LineText(section->second.HeaderLine) + ")");
  section->second.HeaderLine = walk.LineNumber;
  Order.push_back(name);
  walk.Current = &section->second;
  walk.CurrentName = name;
  walk.CrLfSection = crLf;
  return true;
}

bool DescriptionFile::NoteKey(const std::string& text, Walk& walk) {
  const std::string line = LineText(walk.LineNumber);
  if (walk.Current == nullptr)
    return FailOutside(line + " " + Quoted(text) + " lies in no section (" +
                       (walk.EmptyLine == 0
                            ? std::string("before the first one")
                            : "the empty " + LineText(walk.EmptyLine) + " ended [" + walk.CurrentName + "]") +
                       ")");
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos)
    return Fail(walk.CurrentName, "", line + " " + Quoted(text) + " has no \"=\"");
  const std::string name = text.substr(0, equals);
  const std::string key = WithoutBlanks(name);
  if (key.empty())
    return Fail(walk.CurrentName, "", line + " " + Quoted(text) + " has no key name");
  // The engine takes the name as written, blanks included, so "Id = 3" is no "Id".
  if (key != name) {
    const std::string value = text.substr(equals + 1);
    const std::size_t valueBegin = value.find_first_not_of(" \t");
    return Fail(walk.CurrentName, key,
                "blanks around the key name on " + line + " (write " +
                    Quoted(key + "=" + (valueBegin == std::string::npos ? "" : value.substr(valueBegin))) + ")");
  }
  const auto [keyLine, added] = walk.Current->KeyLines.try_emplace(key, walk.LineNumber);
  if (!added)
    return Fail(walk.CurrentName, key, "repeated on " + line + " (first on " + LineText(keyLine->second) + ")");
  return true;
}

bool DescriptionFile::Require(const std::string& section, const char* key, std::string& value) {
  if (!HasSection(section))
    return Fail(section, "", "section missing");
  if (!Optional(section, key, value))
    return Fail(section, key, "key missing");
  return true;
}

bool DescriptionFile::Optional(const std::string& section, const char* key, std::string& value) const {
  CString text;
  if (!GetProfileStringEx(FileName.c_str(), section.c_str(), key, text))
    return false;
  value.assign(static_cast<LPCTSTR>(text), static_cast<std::size_t>(text.GetLength()));
  return true;
}

bool DescriptionFile::Fail(const std::string& section, const std::string& key, const std::string& fault) {
  const std::string text = FileName + " [" + section + "]" + (key.empty() ? "" : " " + key) + ": " + fault;
  Message = PrintableText(text).c_str();
  return false;
}

bool DescriptionFile::FailOutside(const std::string& fault) {
  Message = PrintableText(FileName + ": " + fault).c_str();
  return false;
}
