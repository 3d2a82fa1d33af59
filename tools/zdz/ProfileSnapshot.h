// A settings file as the library reads it: one version, read whole under the readers' lock, and
// divided into lines and sections by the library's own reading.
#ifndef ZODAVUDAZ_TOOLS_ZDZ_PROFILESNAPSHOT_H
#define ZODAVUDAZ_TOOLS_ZDZ_PROFILESNAPSHOT_H

#include <zodavudaz/settings/ProfileImage.h>

#include <string>
#include <vector>

/// A section that the library reads: the first one of its name.
struct NamedSection {
  std::string Name;
  ProfileSection Where;
};

class ProfileSnapshot {
public:
  /// Reads fileName with ReadProfileFile: ExitDone, or the exit code after a one-line failure.
  int Read(const std::string& fileName);

  const ProfileImage& GetImage() const { return Image; }
  /// Whether the read found a rollback journal that it did not apply (ProfileCause::StaleJournal).
  bool LeftStaleJournal() const { return StaleJournal; }
  /// The text of line, its line end taken off.
  std::string TextOf(const ProfileLine& line) const;
  /// The sections that the library reads, in file order.
  std::vector<NamedSection> ReadSections() const;

private:
  ProfileImage Image;
  bool StaleJournal = false;
};

#endif
