// The lines of a settings file, read with the library's line reader, and what each line is.
#ifndef ZODAVUDAZ_TOOLS_ZDZ_PROFILELINES_H
#define ZODAVUDAZ_TOOLS_ZDZ_PROFILELINES_H

#include <string>
#include <vector>

/// One line of a settings file, its line end taken off.
struct ProfileFileLine {
  enum class End { CrLf, Lf, None };
  std::string Text;
  End LineEnd;
  /// Numbered from 1.
  int Number;

  bool IsEmpty() const { return Text.empty() && LineEnd != End::None; }
  /// A header "[" name "]" (blanks before it allowed; text after the "]" ignored); name is set.
  bool IsHeader(std::string& name) const;
  /// The text before the first "=", empty for a line without one.
  std::string KeyName() const;
};

/// Reads the whole of fileName; false when it cannot be opened or is larger than MaxBytes.
bool ReadProfileLines(const char* fileName, std::vector<ProfileFileLine>& lines);

/// ReadProfileLines, or a one-line failure: ExitFileSystem when the file cannot be opened or read,
/// ExitBadInput when it is larger than MaxProfileBytes.
int ReadProfileLinesOrFail(const std::string& fileName, std::vector<ProfileFileLine>& lines);

/// The line of the first header of section, the one the engine reads; null when there is none.
const ProfileFileLine* FindSectionHeader(const std::vector<ProfileFileLine>& lines, const std::string& section);

/// Files the tool reads whole; larger ones are refused rather than slowly shown.
constexpr unsigned MaxProfileBytes = 64u << 20;

#endif
