// zdz: shows and edits what the library stores and reads (settings, window placements, viewer
// lines) and decodes packets, through the library's own functions.
#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/Version.h>
#include <zodavudaz/entry/LibraryVersion.h>

#include <cstdio>
#include <cstring>

namespace {
struct CommandGroup {
  const char* Name;
  const char* Help;
  const ToolCommand* Commands;
};

const CommandGroup Groups[] = {
    {"profile", "read, write, list and check settings files", ProfileCommands},
    {"placement", "read and write stored window placements", PlacementCommands},
    {"viewer", "show and check stored viewer settings", ViewerCommands},
    {"packet", "decode module, station and semi-module packets", PacketCommands},
    {"wave", "the points of the virtual stations' waveforms", WaveCommands},
};

bool IsHelp(const char* arg) { return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0; }

/// The usage of every group, or of only one.
int PrintUsage(FILE* out, int code, const CommandGroup* only = nullptr) {
  std::fputs("usage: zdz GROUP COMMAND [ARGS...]   (zdz GROUP COMMAND --help for one command)\n"
             "       zdz --version                 (the tool's version and the loaded library's)\n"
             "exit codes: 0 done, 1 not found (no such file, section, key or line), 2 bad input (arguments, or file\n"
             "contents the command refuses), 3 file-system failure (a file cannot be opened, read or written),\n"
             "4 busy (other callers held the file for the whole wait of 5 seconds)\n",
             out);
  for (const CommandGroup& group : Groups) {
    if (only != nullptr && only != &group)
      continue;
    std::fprintf(out, "  %-10s %s\n", group.Name, group.Help);
    for (const ToolCommand* command = group.Commands; command->Group != nullptr; ++command)
      std::fprintf(out, "      zdz %s %s %s\n", command->Group, command->Name, command->Usage);
  }
  return code;
}

void PrintCommandHelp(const ToolCommand& command) {
  std::printf("usage: zdz %s %s %s\n%s\n", command.Group, command.Name, command.Usage, command.Help);
}

const CommandGroup* FindGroup(const char* name) {
  for (const CommandGroup& group : Groups)
    if (std::strcmp(group.Name, name) == 0)
      return &group;
  return nullptr;
}

const ToolCommand* FindCommand(const CommandGroup& group, const char* name) {
  for (const ToolCommand* command = group.Commands; command->Group != nullptr; ++command)
    if (std::strcmp(command->Name, name) == 0)
      return command;
  return nullptr;
}

int RunCommand(const ToolCommand& command, int argc, char** argv) {
  const ToolArguments args(argv, argv + argc);
  for (const std::string& arg : args)
    if (arg == "--help" || arg == "-h") {
      PrintCommandHelp(command);
      return ExitDone;
    }
  if (args.size() < command.MinArgs || args.size() > command.MaxArgs)
    return Fail(ExitBadInput, "%s %s takes %s (see --help)", command.Group, command.Name, command.Usage);
  return command.Run(args);
}
} // namespace

int main(int argc, char** argv) {
  if (argc < 2)
    return PrintUsage(stderr, ExitBadInput);
  if (IsHelp(argv[1]))
    return PrintUsage(stdout, ExitDone);
  if (std::strcmp(argv[1], "--version") == 0) {
    // The library found at run time may be newer than the headers the tool was built with.
    std::printf("zdz %s, library %s\n", ZODAVUDAZ_VERSION_STRING, GetZoDavudazVersion(nullptr, nullptr, nullptr));
    return ExitDone;
  }
  const CommandGroup* group = FindGroup(argv[1]);
  if (group == nullptr)
    return Fail(ExitBadInput, "unknown command group '%s' (see zdz --help)", argv[1]);
  if (argc < 3)
    return PrintUsage(stderr, ExitBadInput, group);
  if (IsHelp(argv[2]))
    return PrintUsage(stdout, ExitDone, group);
  const ToolCommand* command = FindCommand(*group, argv[2]);
  if (command == nullptr)
    return Fail(ExitBadInput, "unknown command '%s %s' (see zdz --help)", argv[1], argv[2]);
  return RunCommand(*command, argc - 3, argv + 3);
}
