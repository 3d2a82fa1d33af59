// A description file in the profile format: its sections and key names, and its values.
#ifndef ZODAVUDAZ_SIM_DESCRIPTIONFILE_H
#define ZODAVUDAZ_SIM_DESCRIPTIONFILE_H

#include <zodavudaz/platform/CString.h>

#include <map>
#include <set>
#include <string>

/// Lists a file's sections and key names once, reads values through the profile engine, and
/// words every fault as "FILE [SECTION] KEY: what is wrong".
class DescriptionFile {
public:
  /// Lists the sections and keys of fileName; false (with Message set) when it cannot be read.
  bool Open(LPCTSTR fileName);

  bool HasSection(const std::string& section) const { return Keys.count(section) != 0; }
  /// The key names of section, in name order.
  const std::set<std::string>& KeysOf(const std::string& section) const { return Keys.at(section); }
  /// The value of key; false, with a message saying whether the section or the key is missing.
  bool Require(const std::string& section, const char* key, std::string& value);
  /// The value of key, or false when the section has no such key.
  bool Optional(const std::string& section, const char* key, std::string& value) const;
  /// Words the fault of key in section into Message; always false.
  bool Fail(const std::string& section, const std::string& key, const std::string& fault);

  const CString& GetMessage() const noexcept { return Message; }

private:
  void NoteLine(const std::string& line, std::string& section);

  std::string FileName;
  std::map<std::string, std::set<std::string>> Keys;
  CString Message;
};

#endif
