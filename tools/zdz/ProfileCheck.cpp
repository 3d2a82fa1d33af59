#include "tools/zdz/ProfileCheck.h"

#include <algorithm>
#include <map>
#include <string>

namespace {
/// Walks the lines section by section and notes what a reader would take differently.
class ProfileChecker {
public:
  explicit ProfileChecker(std::vector<ProfileFinding>& findings) : Findings(findings) {}

  void Check(const ProfileFileLine& line) {
    ++Lines;
    if (line.LineEnd == ProfileFileLine::End::Lf && LfLines++ == 0)
      FirstLfLine = line.Number;
    if (line.LineEnd == ProfileFileLine::End::None)
      Note(line.Number, "has no line end: the library reads it whole and ends it with CR LF when it writes after it");
    if (line.Text.find('\0') != std::string::npos)
      Note(line.Number, "holds a zero byte");
    std::string name;
    if (line.IsHeader(name))
      return BeginSection(line, name);
    if (line.IsEmpty())
      return EndSection();
    CheckKeyLine(line);
  }

  void Finish() {
    if (InSection && !Ended)
      Note(HeaderLine, "section [" + Section + "] runs to the end of the file without its empty line");
    if (LfLines != 0)
      NoteLineEnds();
  }

private:
  void BeginSection(const ProfileFileLine& line, const std::string& name) {
    if (InSection && !Ended)
      Note(HeaderLine, "section [" + Section + "] has no empty line before the next section");
    const auto [first, isNew] = Headers.emplace(name, line.Number);
    if (!isNew)
      Note(line.Number,
           "section [" + name + "] appears again; only the one on line " + std::to_string(first->second) + " is read");
    InSection = true;
    Ended = false;
    Section = name;
    HeaderLine = line.Number;
    Keys.clear();
  }

  void EndSection() {
    if (InSection)
      Ended = true;
  }

  void CheckKeyLine(const ProfileFileLine& line) {
    if (!InSection)
      return Note(line.Number, "stands before the first section and is never read");
    if (Ended)
      return Note(line.Number, "stands after the empty line of section [" + Section + "] and is never read");
    const std::string key = line.KeyName();
    const auto [first, isNew] = Keys.emplace(key, line.Number);
    if (!isNew)
      Note(line.Number, "key '" + key + "' appears again in section [" + Section + "]; only line " +
                            std::to_string(first->second) + " is read");
    CheckValue(line, key);
  }

  void CheckValue(const ProfileFileLine& line, const std::string& key) {
    const std::size_t valueStart = std::min(line.Text.size(), key.size() + 1);
    const std::size_t open = line.Text.find('[', valueStart);
    if (open == std::string::npos)
      return;
    const std::size_t close = line.Text.find(']', open);
    if (close != std::string::npos)
      Note(line.Number, "the value holds '" + line.Text.substr(open, close - open + 1) +
                            "', which a reader that searches the text takes for a section header");
  }

  // Once for the file: the line-end style is the file's, not a line's.
  void NoteLineEnds() {
    const std::string of = std::to_string(LfLines) + " of " + std::to_string(Lines);
    const std::string lines = LfLines == Lines ? "every line ends"
                              : LfLines == 1   ? of + " lines (this one) ends"
                                               : of + " lines (the first is this one) end";
    Note(FirstLfLine, lines + " with LF alone, not CR LF: the library reads such lines alike, but what it writes into "
                              "the file ends with CR LF, so a write leaves the file with both line ends");
  }

  void Note(int line, std::string text) { Findings.push_back(ProfileFinding{line, std::move(text)}); }

  std::vector<ProfileFinding>& Findings;
  std::map<std::string, int> Headers;
  std::map<std::string, int> Keys;
  std::string Section;
  int HeaderLine = 0;
  int Lines = 0;
  int LfLines = 0;
  int FirstLfLine = 0;
  bool InSection = false;
  bool Ended = false;
};
} // namespace

std::vector<ProfileFinding> CheckProfileLines(const std::vector<ProfileFileLine>& lines) {
  std::vector<ProfileFinding> findings;
  ProfileChecker checker(findings);
  for (const ProfileFileLine& line : lines)
    checker.Check(line);
  checker.Finish();
  std::stable_sort(findings.begin(), findings.end(),
                   [](const ProfileFinding& a, const ProfileFinding& b) { return a.Line < b.Line; });
  return findings;
}
