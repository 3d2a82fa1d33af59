// Run lengths of the stress and crash tests: short by default, longer through the environment.
#ifndef ZODAVUDAZ_TESTS_STRESS_STRESSSETTINGS_H
#define ZODAVUDAZ_TESTS_STRESS_STRESSSETTINGS_H

#include <cstdlib>
#include <string>

/// The number in the environment variable name, or fallback where it is not set.
inline long SettingFromEnvironment(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

#endif
