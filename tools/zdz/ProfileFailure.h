// What the tool says, and exits with, when a settings call gave 0 because of the file itself.
#ifndef ZODAVUDAZ_TOOLS_ZDZ_PROFILEFAILURE_H
#define ZODAVUDAZ_TOOLS_ZDZ_PROFILEFAILURE_H

#include <zodavudaz/settings/ProfileCause.h>

#include <string>

enum class FileUse { Read, Write };

/// Prints one line naming fileName and why it could not be used (a cause other than a missing
/// section or key), and returns the exit code: ExitNotFound for a missing file, ExitBusy when
/// other callers held it for the whole wait, ExitBadInput for a refused name, ExitFileSystem for
/// anything else. Missing files and file-system failures name the reason the file system gives:
/// a missing folder, a folder in the file's place, no permission.
int FailForFile(ProfileCause cause, const std::string& fileName, FileUse use);

#endif
