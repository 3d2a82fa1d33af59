// zdz profile check: what in a settings file reads differently than it looks.
#ifndef ZODAVUDAZ_TOOLS_ZDZ_PROFILECHECK_H
#define ZODAVUDAZ_TOOLS_ZDZ_PROFILECHECK_H

#include "tools/zdz/ProfileSnapshot.h"

#include <string>
#include <vector>

/// One finding: the line it concerns (from 1) and what is wrong there.
struct ProfileFinding {
  int Line;
  std::string Text;
};

/// The findings over one file, in line order, by the library's own reading of it.
std::vector<ProfileFinding> CheckProfile(const ProfileSnapshot& snapshot);

#endif
