// zdz profile get, set, list and check.
#include "tools/zdz/ProfileCheck.h"
#include "tools/zdz/ProfileFailure.h"
#include "tools/zdz/ProfileSnapshot.h"
#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/settings/ProfileFile.h>

#include <cstdio>
#include <set>

namespace {
int Get(const ToolArguments& args) {
  const char* file = args[0].c_str();
  const char* section = args[1].c_str();
  CString value;
  if (GetProfileStringEx(file, section, args[2].c_str(), value)) {
    std::fwrite(static_cast<LPCTSTR>(value), 1, static_cast<std::size_t>(value.GetLength()), stdout);
    std::fputc('\n', stdout);
    return ExitDone;
  }
  switch (const ProfileCause cause = GetLastProfileCause()) {
  case ProfileCause::MissingSection: return Fail(ExitNotFound, "no section [%s] in '%s'", section, file);
  case ProfileCause::MissingKey:
    return Fail(ExitNotFound, "section [%s] of '%s' has no key '%s'", section, file, args[2].c_str());
  default: return FailForFile(cause, args[0], FileUse::Read);
  }
}

int Set(const ToolArguments& args) {
  if (WriteProfileStringEx(args[0].c_str(), args[1].c_str(), args[2].c_str(), args[3].c_str()))
    return ExitDone;
  if (GetLastProfileCause() == ProfileCause::RefusedName)
    return Fail(ExitBadInput, "the file format cannot hold these names (a line end in any of them, '=' in the key or "
                              "a key beginning with '[')");
  return FailForFile(GetLastProfileCause(), args[0], FileUse::Write);
}

/// The keys of section as the library reads them, in file order, each once with its value.
void ListKeys(const ProfileSnapshot& snapshot, const ProfileSection& section) {
  const ProfileImage& image = snapshot.GetImage();
  std::set<std::string> shown;
  for (int begin = section.Header.End; begin < section.BodyEnd;) {
    const ProfileLine line = image.LineAt(begin);
    begin = line.End;
    const std::string text = snapshot.TextOf(line);
    const std::size_t equals = text.find('=');
    // A line without "=" holds no key an application writes; check reports it.
    if (equals == std::string::npos || !shown.insert(text.substr(0, equals)).second)
      continue;
    CString value;
    image.FindValue(section, text.substr(0, equals).c_str(), value);
    std::printf("%s=%s\n", text.substr(0, equals).c_str(), static_cast<LPCTSTR>(value));
  }
}

int List(const ToolArguments& args) {
  ProfileSnapshot snapshot;
  if (const int failed = snapshot.Read(args[0]))
    return failed;
  if (args.size() == 1) {
    for (const NamedSection& section : snapshot.ReadSections())
      std::printf("[%s]\n", section.Name.c_str());
    return ExitDone;
  }
  ProfileSection section{};
  if (!snapshot.GetImage().FindSection(args[1].c_str(), section))
    return Fail(ExitNotFound, "no section [%s] in '%s'", args[1].c_str(), args[0].c_str());
  ListKeys(snapshot, section);
  return ExitDone;
}

int Check(const ToolArguments& args) {
  ProfileSnapshot snapshot;
  if (const int failed = snapshot.Read(args[0]))
    return failed;
  const std::vector<ProfileFinding> findings = CheckProfile(snapshot);
  const bool stale = snapshot.LeftStaleJournal();
  if (stale)
    std::printf("%s: a rollback journal that a writer killed during an in-place write left was not applied: the "
                "bytes it covers changed since, it is of an earlier format or it cannot be trusted; the file reads "
                "as it stands, and the next write removes the journal\n",
                args[0].c_str());
  for (const ProfileFinding& finding : findings)
    std::printf("%s:%d: %s\n", args[0].c_str(), finding.Line, finding.Text.c_str());
  if (findings.empty() && !stale)
    std::printf("%s: every line reads as it looks\n", args[0].c_str());
  return findings.empty() && !stale ? ExitDone : ExitBadInput;
}
} // namespace

const ToolCommand ProfileCommands[] = {
    {"profile", "get", "FILE SECTION KEY",
     "Prints the value of KEY in SECTION as the library reads it; exit 1, saying which, when the file, the\n"
     "section or the key is missing, 4 when the file stayed busy.",
     3, 3, Get},
    {"profile", "set", "FILE SECTION KEY VALUE",
     "Writes KEY=VALUE as the last key of SECTION, creating the section or the file where needed; exit 2 for\n"
     "names the format cannot hold, 3 when the file cannot be written (saying why), 4 when it stayed busy.",
     4, 4, Set},
    {"profile", "list", "FILE [SECTION]",
     "Lists the sections of FILE, or the keys of SECTION with the values the library reads, in file order;\n"
     "each once, as the library reads the first of a name. The file is read whole under the readers' lock.",
     1, 2, List},
    {"profile", "check", "FILE",
     "Reports, as FILE:LINE: text, lines that read differently than they look: LF line ends (once, counted),\n"
     "a last line without its line end, a section without its empty line, a repeated key or section, a line\n"
     "that is never read, a line without '=' in a section, a header with text after its ']', a value that\n"
     "holds a section header; and a rollback journal of a killed writer that was left unapplied. Exit 0,\n"
     "saying so, when nothing is found, 2 when something is.",
     1, 1, Check},
    {nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
};
