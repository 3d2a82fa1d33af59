#include "tools/zdz/ProfileSnapshot.h"

#include "tools/zdz/ProfileFailure.h"
#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/settings/ProfileFile.h>

#include <set>

int ProfileSnapshot::Read(const std::string& fileName) {
  if (ReadProfileFile(fileName.c_str(), Image.GetBytes())) {
    StaleJournal = GetLastProfileCause() == ProfileCause::StaleJournal;
    return ExitDone;
  }
  return FailForFile(GetLastProfileCause(), fileName, FileUse::Read);
}

std::string ProfileSnapshot::TextOf(const ProfileLine& line) const {
  return std::string(Image.GetData() + line.Begin, static_cast<std::size_t>(line.TextEnd - line.Begin));
}

std::vector<NamedSection> ProfileSnapshot::ReadSections() const {
  std::vector<NamedSection> sections;
  std::set<std::string> seen;
  CString name;
  for (int begin = 0; begin < Image.GetLength();) {
    const ProfileLine line = Image.LineAt(begin);
    begin = line.End;
    if (Image.IsHeaderLine(line, &name) && seen.insert(ToStdString(name)).second)
      sections.push_back(NamedSection{ToStdString(name), Image.SectionAt(line.Begin)});
  }
  return sections;
}
