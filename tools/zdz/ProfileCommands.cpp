// zdz profile get, set, list and check.
#include "tools/zdz/ProfileCheck.h"
#include "tools/zdz/ProfileLines.h"
#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/settings/ProfileFile.h>

#include <cstdio>
#include <set>

namespace {
/// Why key cannot be read: the section is missing, or the key is missing from it.
int FailMissing(const ToolArguments& args) {
  std::vector<ProfileFileLine> lines;
  if (const int failed = ReadProfileLinesOrFail(args[0], lines))
    return failed;
  if (FindSectionHeader(lines, args[1]) == nullptr)
    return Fail(ExitNotFound, "no section [%s] in '%s'", args[1].c_str(), args[0].c_str());
  return Fail(ExitNotFound, "section [%s] of '%s' has no key '%s'", args[1].c_str(), args[0].c_str(), args[2].c_str());
}

int Get(const ToolArguments& args) {
  CString value;
  if (!GetProfileStringEx(args[0].c_str(), args[1].c_str(), args[2].c_str(), value))
    return FailMissing(args);
  std::fwrite(static_cast<LPCTSTR>(value), 1, value.GetLength(), stdout);
  std::fputc('\n', stdout);
  return ExitDone;
}

int Set(const ToolArguments& args) {
  auto write = [&](const char* fileName) {
    return WriteProfileStringEx(fileName, args[1].c_str(), args[2].c_str(), args[3].c_str()) != 0;
  };
  if (write(args[0].c_str()))
    return ExitDone;
  if (!WritesToFreshFile(write))
    return Fail(ExitBadInput, "the file format cannot hold these names (a line end in any of them, '=' in the key or "
                              "a key beginning with '[', ']' in the section)");
  return Fail(ExitFileSystem, "cannot write '%s'", args[0].c_str());
}

void ListSections(const std::vector<ProfileFileLine>& lines) {
  std::string name;
  for (const ProfileFileLine& line : lines)
    if (line.IsHeader(name))
      std::printf("[%s]\n", name.c_str());
}

/// The key lines of the first section named section, as the engine reads them; false when the
/// file has no such section.
bool ListKeys(const std::string& fileName, const std::vector<ProfileFileLine>& lines, const std::string& section) {
  const ProfileFileLine* header = FindSectionHeader(lines, section);
  if (header == nullptr)
    return false;
  std::string name;
  auto line = lines.begin() + (header - lines.data());
  std::set<std::string> shown;
  for (++line; line != lines.end() && !line->IsEmpty() && !line->IsHeader(name); ++line) {
    const std::string key = line->KeyName();
    if (line->Text.find('=') == std::string::npos || !shown.insert(key).second)
      continue; // not a key line, or a repeated key, which is never read
    CString value;
    GetProfileStringEx(fileName.c_str(), section.c_str(), key.c_str(), value);
    std::printf("%s=%s\n", key.c_str(), static_cast<LPCTSTR>(value));
  }
  return true;
}

int List(const ToolArguments& args) {
  std::vector<ProfileFileLine> lines;
  if (const int failed = ReadProfileLinesOrFail(args[0], lines))
    return failed;
  if (args.size() == 1) {
    ListSections(lines);
    return ExitDone;
  }
  if (!ListKeys(args[0], lines, args[1]))
    return Fail(ExitNotFound, "no section [%s] in '%s'", args[1].c_str(), args[0].c_str());
  return ExitDone;
}

int Check(const ToolArguments& args) {
  std::vector<ProfileFileLine> lines;
  if (const int failed = ReadProfileLinesOrFail(args[0], lines))
    return failed;
  const std::vector<ProfileFinding> findings = CheckProfileLines(lines);
  for (const ProfileFinding& finding : findings)
    std::printf("%s:%d: %s\n", args[0].c_str(), finding.Line, finding.Text.c_str());
  return findings.empty() ? ExitDone : ExitBadInput;
}
} // namespace

const ToolCommand ProfileCommands[] = {
    {"profile", "get", "FILE SECTION KEY",
     "Prints the value of KEY in SECTION as the library reads it; exit 1, saying which, when the section or the\n"
     "key is missing.",
     3, 3, Get},
    {"profile", "set", "FILE SECTION KEY VALUE",
     "Writes KEY=VALUE as the last key of SECTION, creating the section or the file where needed; exit 2 for\n"
     "names the format cannot hold, 3 when the file cannot be written.",
     4, 4, Set},
    {"profile", "list", "FILE [SECTION]",
     "Lists the sections of FILE, or the keys of SECTION with the values the library reads, in file order.", 1, 2,
     List},
    {"profile", "check", "FILE",
     "Reports, as FILE:LINE: text, lines that read differently than expected: LF line ends (once, counted),\n"
     "a last line without its line end, a section without its\n"
     "empty line, a repeated key or section, a key line after the empty line, a section header inside a value.\n"
     "Exit 0 when nothing is found, 2 when something is.",
     1, 1, Check},
    {nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
};
