// Runs the zdz tool as a process (through the emulator where the build names one).
#ifndef ZODAVUDAZ_TESTS_ZDZ_TOOLPROCESS_H
#define ZODAVUDAZ_TESTS_ZDZ_TOOLPROCESS_H

#include "tests/TempFiles.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/wait.h>

/// What one run of the tool gave.
struct ToolRun {
  int Exit;
  std::string Out;
  std::string Err;
};

/// Runs "zdz " + arguments through the shell (arguments quoted by the caller), stdin given.
inline ToolRun RunTool(const std::string& arguments, const std::string& input = "") {
  static const TempFolder scratch;
  const char* tool = std::getenv("ZDZ_TOOL");
  const char* emulator = std::getenv("ZDZ_EMULATOR");
  const std::string in = scratch / "in", out = scratch / "out", err = scratch / "err";
  WriteAll(in, input);
  const std::string command = std::string(emulator ? emulator : "") + " " + (tool ? tool : "zdz") + " " + arguments +
                              " <" + in + " >" + out + " 2>" + err;
  const int status = std::system(command.c_str());
  return ToolRun{WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadAll(out), ReadAll(err)};
}

#endif
