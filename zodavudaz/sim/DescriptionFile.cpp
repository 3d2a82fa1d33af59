#include <zodavudaz/sim/DescriptionFile.h>

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/settings/ProfileFile.h>

namespace {
constexpr UINT LineLimit = 0x10000;

std::string WithoutLineEnd(const CString& line) {
  std::string text(static_cast<LPCTSTR>(line), static_cast<std::size_t>(line.GetLength()));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
    text.pop_back();
  return text;
}
} // namespace

bool DescriptionFile::Open(LPCTSTR fileName) {
  FileName = fileName == nullptr ? "" : fileName;
  Keys.clear();
  CFile file;
  if (fileName == nullptr || !file.Open(fileName, CFile::modeRead)) {
    Message = (FileName + ": cannot be opened").c_str();
    return false;
  }
  std::string section;
  for (CString line;;) {
    ReadStringEx(&file, LineLimit, line);
    if (line.IsEmpty())
      break;
    NoteLine(WithoutLineEnd(line), section);
  }
  return true;
}

// Mirrors the engine: a header opens a section, an empty line ends it, "key=" lines belong to it;
// ";" lines are comments.
void DescriptionFile::NoteLine(const std::string& line, std::string& section) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (line.empty()) {
    section.clear();
  } else if (first != std::string::npos && line[first] == ';') {
    return;
  } else if (first != std::string::npos && line[first] == '[' && line.find(']', first) != std::string::npos) {
    section = line.substr(first + 1, line.find(']', first) - first - 1);
    Keys[section];
  } else if (const std::size_t equals = line.find('='); !section.empty() && equals != std::string::npos) {
    Keys[section].insert(line.substr(0, equals));
  }
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
  Message = text.c_str();
  return false;
}
