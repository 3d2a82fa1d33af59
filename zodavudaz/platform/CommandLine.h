// The process's command line, as the host system hands it out.
#ifndef ZODAVUDAZ_PLATFORM_COMMANDLINE_H
#define ZODAVUDAZ_PLATFORM_COMMANDLINE_H

#include <zodavudaz/platform/BaseTypes.h>

/// The program path and its arguments as one text, separated by single blanks; valid until unload
/// or the next OverrideCommandLine.
LPTSTR GetCommandLineA() noexcept;

/// Test control: GetCommandLineA answers text from now on; null gives the process's own again.
void OverrideCommandLine(LPCTSTR text) noexcept;

#endif
