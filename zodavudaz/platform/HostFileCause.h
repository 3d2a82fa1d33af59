// The host's error numbers in the framework's terms.
#ifndef ZODAVUDAZ_PLATFORM_HOSTFILECAUSE_H
#define ZODAVUDAZ_PLATFORM_HOSTFILECAUSE_H

#include <zodavudaz/platform/FileCause.h>

/// The cause that a failed host file call with errno error reports.
FileCause HostFileCause(int error) noexcept;

#endif
