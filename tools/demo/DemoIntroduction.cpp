#include "tools/demo/DemoScenes.h"

#include <cstdio>

void ShowIntroduction(const char* descriptionFile, const char* settingsFolder) {
  std::printf(
      "zdz-demo plays a front-end application of the measurement system against a simulated station:\n"
      "  stations, modules and waveforms from %s, stored settings from %s.\n"
      "  Requests answer 0 (success) or a code named beside it; look-ups and settings calls 1 (found) or 0.\n\n",
      descriptionFile, settingsFolder);
}
