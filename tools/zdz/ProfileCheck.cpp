#include "tools/zdz/ProfileCheck.h"

#include "tools/zdz/ToolCommand.h"

#include <algorithm>
#include <map>
#include <string>

namespace {
constexpr char ByteOrderMark[] = "\xEF\xBB\xBF";

/// Walks the lines as the library reads them and notes where that differs from how they look.
class ProfileChecker {
public:
  ProfileChecker(const ProfileSnapshot& snapshot, std::vector<ProfileFinding>& findings)
      : Snapshot(snapshot), Image(snapshot.GetImage()), Findings(findings) {}

  void Check(const ProfileLine& line) {
    ++Number;
    const std::string text = Snapshot.TextOf(line);
    CheckLineEnd(line);
    if (text.find('\0') != std::string::npos)
      Note("holds a zero byte");
    if (Number == 1 && text.rfind(ByteOrderMark, 0) == 0)
      Note("begins with a UTF-8 byte-order mark, which the library skips only before a section header");
    CString name;
    if (Image.IsHeaderLine(line, &name))
      return BeginSection(line, ToStdString(name));
    if (InSection && line.Begin < Section.BodyEnd)
      return CheckBodyLine(text);
    if (!(InSection && line.Begin < Section.End) && !text.empty())
      CheckLineOutside(text);
  }

  void Finish() {
    if (InSection && Section.End == Section.BodyEnd)
      Note(HeaderNumber, "section [" + SectionName + "] runs to the end of the file without its empty line");
    if (LfLines != 0)
      NoteLineEnds();
  }

private:
  void CheckLineEnd(const ProfileLine& line) {
    if (!line.HasLineEnd())
      Note("has no line end: the library reads it whole and ends it with CR LF when it writes after it");
    else if (Image.GetData()[line.TextEnd] == '\r' && !line.EndsWithCrLf())
      Note("ends with a CR alone: the library reads it as the line end and adds the LF when it writes after it");
    else if (!line.EndsWithCrLf() && LfLines++ == 0)
      FirstLfLine = Number;
  }

  void BeginSection(const ProfileLine& line, const std::string& name) {
    if (InSection && Section.End == Section.BodyEnd)
      Note(HeaderNumber, "section [" + SectionName + "] has no empty line before the next section");
    const auto [first, isNew] = Headers.emplace(name, Number);
    if (!isNew)
      Note("section [" + name + "] appears again; only the one on line " + std::to_string(first->second) + " is read");
    InSection = true;
    Section = Image.SectionAt(line.Begin);
    SectionName = name;
    HeaderNumber = Number;
    Keys.clear();
  }

  void CheckBodyLine(const std::string& text) {
    const std::string inSection = "section [" + SectionName + "]";
    if (text.empty())
      return Note("is an empty line without CR LF, which does not end " + inSection +
                  " (its header line ends with CR LF): the lines after it still belong to it");
    if (LooksLikeHeader(text))
      return Note("is no section header, as text follows its ']': the library reads it as a line of " + inSection);
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos)
      return Note("has no '=', so it holds no key of " + inSection + " (only the empty key '' reads it)");
    const std::string key = text.substr(0, equals);
    const auto [first, isNew] = Keys.emplace(key, Number);
    if (!isNew)
      Note("key '" + key + "' appears again in " + inSection + "; only line " + std::to_string(first->second) +
           " is read");
    CheckValue(text.substr(equals + 1));
  }

  void CheckLineOutside(const std::string& text) {
    if (LooksLikeHeader(text))
      Note("is no section header, as text follows its ']' (or it has none)");
    Note(InSection ? "stands after the empty line of section [" + SectionName + "] and is never read"
                   : "stands before the first section and is never read");
  }

  void CheckValue(const std::string& value) {
    const std::size_t open = value.find('[');
    const std::size_t close = open == std::string::npos ? open : value.find(']', open);
    if (close != std::string::npos)
      Note("the value holds '" + value.substr(open, close - open + 1) +
           "': the library reads it as text, but a reader that searches the whole file for a header takes it for "
           "one");
  }

  static bool LooksLikeHeader(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    return first != std::string::npos && text[first] == '[';
  }

  // Once for the file: the line-end style is the file's, not a line's.
  void NoteLineEnds() {
    const std::string of = std::to_string(LfLines) + " of " + std::to_string(Number);
    const std::string lines = LfLines == Number ? "every line ends"
                              : LfLines == 1    ? of + " lines (this one) ends"
                                                : of + " lines (the first is this one) end";
    Note(FirstLfLine, lines + " with LF alone, not CR LF: the library reads such lines alike, but what it writes into "
                              "the file ends with CR LF, so a write leaves the file with both line ends");
  }

  void Note(std::string text) { Note(Number, std::move(text)); }
  void Note(int line, std::string text) { Findings.push_back(ProfileFinding{line, std::move(text)}); }

  const ProfileSnapshot& Snapshot;
  const ProfileImage& Image;
  std::vector<ProfileFinding>& Findings;
  std::map<std::string, int> Headers;
  std::map<std::string, int> Keys;
  ProfileSection Section{};
  std::string SectionName;
  int HeaderNumber = 0;
  int Number = 0;
  int LfLines = 0;
  int FirstLfLine = 0;
  bool InSection = false;
};
} // namespace

std::vector<ProfileFinding> CheckProfile(const ProfileSnapshot& snapshot) {
  std::vector<ProfileFinding> findings;
  ProfileChecker checker(snapshot, findings);
  const ProfileImage& image = snapshot.GetImage();
  for (int begin = 0; begin < image.GetLength();) {
    const ProfileLine line = image.LineAt(begin);
    checker.Check(line);
    begin = line.End;
  }
  checker.Finish();
  std::stable_sort(findings.begin(), findings.end(),
                   [](const ProfileFinding& a, const ProfileFinding& b) { return a.Line < b.Line; });
  return findings;
}
