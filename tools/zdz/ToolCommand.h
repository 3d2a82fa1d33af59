// The commands of the zdz tool: their table entry, exit codes and argument helpers.
#ifndef ZODAVUDAZ_TOOLS_ZDZ_TOOLCOMMAND_H
#define ZODAVUDAZ_TOOLS_ZDZ_TOOLCOMMAND_H

#include <zodavudaz/platform/CString.h>

#include <string>
#include <vector>

/// What the tool exits with.
enum ExitCode : int { ExitDone = 0, ExitNotFound = 1, ExitBadInput = 2, ExitFileSystem = 3, ExitBusy = 4 };

using ToolArguments = std::vector<std::string>;

/// One command: "zdz Group Name ARGS", with its argument count range and help.
struct ToolCommand {
  const char* Group;
  const char* Name;
  /// The arguments after the command name, as shown in the usage line.
  const char* Usage;
  const char* Help;
  unsigned MinArgs;
  unsigned MaxArgs;
  int (*Run)(const ToolArguments& args);
};

/// The commands of each group, each list ended by an entry with a null Group.
extern const ToolCommand ProfileCommands[];
extern const ToolCommand PlacementCommands[];
extern const ToolCommand ViewerCommands[];
extern const ToolCommand PacketCommands[];
extern const ToolCommand WaveCommands[];

/// Prints "zdz: " and the message as one line to standard error, every byte that is not printable
/// ASCII as \xHH, and returns code.
int Fail(ExitCode code, const char* format, ...) __attribute__((format(printf, 2, 3)));

/// The bytes of text, zeros included.
std::string ToStdString(const CString& text);

/// Reads a whole decimal number within [min, max]; false for anything else.
bool ParseNumber(const std::string& text, long min, long max, long& value);

#endif
