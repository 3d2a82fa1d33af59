// zdz profile check: what in a settings file reads differently than a person expects.
#ifndef ZODAVUDAZ_TOOLS_ZDZ_PROFILECHECK_H
#define ZODAVUDAZ_TOOLS_ZDZ_PROFILECHECK_H

#include "tools/zdz/ProfileLines.h"

#include <string>
#include <vector>

/// One finding: the line it concerns and what is wrong there.
struct ProfileFinding {
  int Line;
  std::string Text;
};

/// The findings over the lines of one file, in line order.
std::vector<ProfileFinding> CheckProfileLines(const std::vector<ProfileFileLine>& lines);

#endif
