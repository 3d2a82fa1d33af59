// zdz viewer show and check: stored viewer lines read and written again by the library.
#include "tools/zdz/ProfileSnapshot.h"
#include "tools/zdz/ToolCommand.h"
#include <zodavudaz/viewer/ViewerProperty.h>
#include <zodavudaz/viewer/ViewerPropertyGroupText.h>
#include <zodavudaz/viewer/ViewerPropertyText.h>

#include <cstdio>
#include <memory>

namespace {
// Stored texts carry blanks as this byte.
constexpr char StoredBlank = 14;

struct RecordRelease {
  void operator()(ViewerProperty* record) const { ReleaseViewerProperty(record); }
};
using RecordPointer = std::unique_ptr<ViewerProperty, RecordRelease>;

/// The statements of a line, each without its ";".
std::vector<std::string> SplitStatements(const CString& text) {
  std::vector<std::string> statements;
  std::string current;
  for (int i = 0; i < text.GetLength(); ++i) {
    if (text[i] != ';') {
      current += text[i];
      continue;
    }
    statements.push_back(current);
    current.clear();
  }
  if (!current.empty())
    statements.push_back(current);
  return statements;
}

/// One stored group line; a missing one leaves the group's initial values.
struct StoredGroupLine {
  CString Text;
  bool Stored;
};

/// The stored lines of one section: the Viewer line and the Group lines it has.
struct StoredViewerLines {
  CString Viewer;
  std::vector<StoredGroupLine> Groups;
};

std::string GroupKey(std::size_t group) { return "Group" + std::to_string(group + 1); }

/// The section's lines, read as the library reads them; false when it has no Viewer line.
bool ReadStoredLines(const ProfileImage& image, const std::string& section, StoredViewerLines& stored) {
  if (image.GetString(section.c_str(), "Viewer", stored.Viewer) != ProfileCause::None)
    return false;
  RecordPointer record(Ascii2ViewerProperty(stored.Viewer));
  for (std::size_t group = 0; group < GetGrNum(record.get()); ++group) {
    StoredGroupLine line{CString(), false};
    line.Stored = image.GetString(section.c_str(), GroupKey(group).c_str(), line.Text) == ProfileCause::None;
    stored.Groups.push_back(line);
  }
  return true;
}

/// The record the library reads from the stored lines; null when the Viewer line does not read.
RecordPointer ReadRecord(const StoredViewerLines& stored) {
  RecordPointer record(Ascii2ViewerProperty(stored.Viewer));
  for (const StoredGroupLine& line : stored.Groups)
    Ascii2ViewerPropertyGr(record.get(), line.Text);
  return record;
}

/// A stored text word: quoted, its byte 14 shown as blanks (a lone byte 14 is an empty text).
std::string ReadableWord(const std::string& word) {
  if (word.find(StoredBlank) == std::string::npos)
    return word;
  std::string text = word == std::string(1, StoredBlank) ? std::string() : word;
  for (char& ch : text)
    if (ch == StoredBlank)
      ch = ' ';
  return '"' + text + '"';
}

void PrintStatement(const std::string& statement, const char* indent) {
  std::string line;
  std::size_t start = 0;
  for (std::size_t blank = statement.find(' '); start <= statement.size(); blank = statement.find(' ', start)) {
    const std::size_t end = blank == std::string::npos ? statement.size() : blank;
    if (start != 0)
      line += ' ';
    line += ReadableWord(statement.substr(start, end - start));
    start = end + 1;
  }
  std::printf("%s%s\n", indent, line.c_str());
}

/// Fails, naming the section, when the file has no Viewer line there.
int FailWithoutViewerLine(const ProfileImage& image, const std::string& fileName, const std::string& section) {
  ProfileSection found{};
  if (!image.FindSection(section.c_str(), found))
    return Fail(ExitNotFound, "no section [%s] in '%s'", section.c_str(), fileName.c_str());
  return Fail(ExitNotFound, "no Viewer line in section [%s] of '%s'", section.c_str(), fileName.c_str());
}

int Show(const ToolArguments& args) {
  ProfileSnapshot snapshot;
  if (const int failed = snapshot.Read(args[0]))
    return failed;
  StoredViewerLines stored;
  if (!ReadStoredLines(snapshot.GetImage(), args[1], stored))
    return FailWithoutViewerLine(snapshot.GetImage(), args[0], args[1]);
  RecordPointer record = ReadRecord(stored);
  if (record == nullptr)
    return Fail(ExitBadInput, "the Viewer line of [%s] does not read as viewer settings", args[1].c_str());
  CString text;
  ViewerProperty2Ascii(record.get(), text);
  for (const std::string& statement : SplitStatements(text))
    PrintStatement(statement, "");
  for (WORD group = 0; group < GetGrNum(record.get()); ++group) {
    ViewerProperty2AsciiGr(record.get(), group, text);
    for (const std::string& statement : SplitStatements(text))
      PrintStatement(statement, statement.rfind("Group", 0) == 0 ? "" : "  ");
  }
  return ExitDone;
}

/// The keyword of a statement: its first word.
std::string KeywordOf(const std::string& statement) { return statement.substr(0, statement.find(' ')); }

/// Takes from written the first statement with keyword; false when none is left.
bool TakeStatement(std::vector<std::string>& written, const std::string& keyword, std::string& taken) {
  for (auto each = written.begin(); each != written.end(); ++each)
    if (KeywordOf(*each) == keyword) {
      taken = *each;
      written.erase(each);
      return true;
    }
  return false;
}

/// Reports every stored statement that does not read back, each matched with the written statement
/// of its keyword, and the keywords of written statements that nothing stored gave; true when both
/// are the same.
bool CompareLine(const std::string& section, const std::string& key, const CString& stored, const CString& written) {
  if (stored == written)
    return true;
  const std::vector<std::string> before = SplitStatements(stored);
  std::vector<std::string> after = SplitStatements(written);
  const std::string where = "[" + section + "] " + key;
  bool reported = false;
  for (std::size_t index = 0; index < before.size(); ++index) {
    std::string match;
    if (!TakeStatement(after, KeywordOf(before[index]), match)) {
      std::printf("%s: statement %zu '%s' is not written back\n", where.c_str(), index + 1, before[index].c_str());
      reported = true;
    } else if (match != before[index]) {
      std::printf("%s: '%s' reads back as '%s'\n", where.c_str(), before[index].c_str(), match.c_str());
      reported = true;
    }
  }
  if (!after.empty()) {
    std::string keywords;
    for (const std::string& added : after)
      keywords.append(" ").append(KeywordOf(added));
    std::printf("%s: %zu statements not stored are written with what the record holds:%s\n", where.c_str(),
                after.size(), keywords.c_str());
  }
  if (!reported && after.empty())
    std::printf("%s: the same statements, stored in another order than the library writes them\n", where.c_str());
  return false;
}

/// Checks one section's lines; true when every line reads back to its own text.
bool CheckSection(const std::string& section, const StoredViewerLines& stored) {
  RecordPointer record = ReadRecord(stored);
  if (record == nullptr) {
    std::printf("[%s] Viewer: does not read as viewer settings\n", section.c_str());
    return false;
  }
  CString written;
  ViewerProperty2Ascii(record.get(), written);
  bool same = CompareLine(section, "Viewer", stored.Viewer, written);
  for (std::size_t group = 0; group < stored.Groups.size(); ++group) {
    if (!stored.Groups[group].Stored) {
      std::printf("[%s] %s: missing, so the group keeps its initial values\n", section.c_str(),
                  GroupKey(group).c_str());
      same = false;
      continue;
    }
    ViewerProperty2AsciiGr(record.get(), static_cast<WORD>(group), written);
    same = CompareLine(section, GroupKey(group), stored.Groups[group].Text, written) && same;
  }
  return same;
}

/// The sections to check: the one named, or every section the library reads.
std::vector<std::string> SectionsToCheck(const ToolArguments& args, const ProfileSnapshot& snapshot) {
  if (args.size() == 2)
    return {args[1]};
  std::vector<std::string> sections;
  for (const NamedSection& section : snapshot.ReadSections())
    sections.push_back(section.Name);
  return sections;
}

int Check(const ToolArguments& args) {
  ProfileSnapshot snapshot;
  if (const int failed = snapshot.Read(args[0]))
    return failed;
  bool same = true;
  int checked = 0;
  for (const std::string& section : SectionsToCheck(args, snapshot)) {
    StoredViewerLines stored;
    if (!ReadStoredLines(snapshot.GetImage(), section, stored))
      continue;
    ++checked;
    same = CheckSection(section, stored) && same;
  }
  if (checked == 0 && args.size() == 2)
    return FailWithoutViewerLine(snapshot.GetImage(), args[0], args[1]);
  if (checked == 0)
    return Fail(ExitNotFound, "no Viewer line in any section of '%s'", args[0].c_str());
  if (same)
    std::printf("%s: every Viewer and Group line reads back to its own text\n", args[0].c_str());
  return same ? ExitDone : ExitBadInput;
}
} // namespace

const ToolCommand ViewerCommands[] = {
    {"viewer", "show", "FILE SECTION",
     "Prints the Viewer line of SECTION and its Group lines as the library reads them, one keyword and its\n"
     "values a line (texts in quotes).",
     2, 2, Show},
    {"viewer", "check", "FILE [SECTION]",
     "Reports the Viewer and Group lines of SECTION (or of every section) that the library does not write back\n"
     "to the same text: every statement that reads back differently, matched by its keyword, every statement\n"
     "dropped or added, a different order, or a missing Group line. Exit 0, saying so, when all read back,\n"
     "2 otherwise.",
     1, 2, Check},
    {nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
};
