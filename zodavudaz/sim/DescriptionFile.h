// A description file in the profile format: its sections and key names, and its values.
#ifndef ZODAVUDAZ_SIM_DESCRIPTIONFILE_H
#define ZODAVUDAZ_SIM_DESCRIPTIONFILE_H

#include <zodavudaz/platform/CString.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

/// Lists a file's sections and key names once, as the profile engine reads them, refusing lines
/// that the engine would read otherwise than they look; reads values through the engine; words
/// every fault as "FILE [SECTION] KEY: what is wrong".
class DescriptionFile {
public:
  /// Lists the sections and keys of fileName; false, with the message set, when it cannot be
  /// read or holds a line the engine would misread: a repeated section or key (the engine takes
  /// the first), blanks around a key name, a line without "=" in a section, a header that is not
  /// "[NAME]" alone on its line, a key line after the empty line that ended its section. A
  /// leading UTF-8 byte-order mark is read past, as the engine does.
  bool Open(LPCTSTR fileName);

  bool HasSection(const std::string& section) const { return Sections.count(section) != 0; }
  /// The section names in file order.
  const std::vector<std::string>& SectionNames() const noexcept { return Order; }
  /// The key names of section, in name order, with the line of each.
  const std::map<std::string, std::size_t>& KeysOf(const std::string& section) const {
    return Sections.at(section).KeyLines;
  }
  /// The value of key; false, with a message saying whether the section or the key is missing.
  bool Require(const std::string& section, const char* key, std::string& value);
  /// The value of key, or false when the section has no such key.
  bool Optional(const std::string& section, const char* key, std::string& value) const;
  /// Words the fault of key in section into Message; always false.
  bool Fail(const std::string& section, const std::string& key, const std::string& fault);

  const CString& GetMessage() const noexcept { return Message; }

private:
  struct Section {
    std::size_t HeaderLine = 0;
    std::map<std::string, std::size_t> KeyLines;
  };
  /// Where the walk over the lines stands.
  struct Walk {
    std::size_t LineNumber = 0;
    /// The section the lines belong to; none before the first header and after an empty line.
    Section* Current = nullptr;
    std::string CurrentName;
    /// The section's header ended with CR LF: only CR LF alone is then an empty line.
    bool CrLfSection = false;
    /// The empty line that ended the last section; 0 before the first section.
    std::size_t EmptyLine = 0;
  };

  bool NoteLine(const std::string& text, bool crLf, bool hasLineEnd, Walk& walk);
  bool NoteHeader(const std::string& text, std::size_t bracket, bool crLf, Walk& walk);
  bool NoteKey(const std::string& text, Walk& walk);
  /// Words a fault of a line that lies in no section; always false.
  bool FailOutside(const std::string& fault);

  std::string FileName;
  std::map<std::string, Section> Sections;
  std::vector<std::string> Order;
  CString Message;
};

/// text without the blanks (spaces and tabs) before and after it.
std::string WithoutBlanks(const std::string& text);

/// text for a message: every byte that is not printable ASCII written as \xHH, so that a binary
/// file's bytes never reach a terminal raw.
std::string PrintableText(const std::string& text);

#endif
