// The host's symbolic links followed by the library itself, with the kernel's rule for sticky folders.
#ifndef ZODAVUDAZ_PLATFORM_HOSTLINKWALK_H
#define ZODAVUDAZ_PLATFORM_HOSTLINKWALK_H

#include <zodavudaz/platform/CString.h>

/// The absolute path that path (relative to the working folder, or absolute) names once every
/// symbolic link in it is followed, "." and ".." taken as the folders they name then. Names that
/// do not exist stay as they are, so a last link to a missing file gives that file's path. Empty
/// where the chain is longer than 40 links, a link cannot be read, or a link lies in a sticky
/// folder that others may write and neither the caller nor the folder's owner owns it.
CString WalkHostLinks(LPCTSTR path) noexcept;

#endif
