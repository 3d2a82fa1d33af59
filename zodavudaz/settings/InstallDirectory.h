// The folder of an installed application, from the operating system's application-path registration.
#ifndef ZODAVUDAZ_SETTINGS_INSTALLDIRECTORY_H
#define ZODAVUDAZ_SETTINGS_INSTALLDIRECTORY_H

#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

/// Reads the "Path" value of appName's application-path key under the local machine into
/// directory. 1 when the key exists, with directory empty when "Path" is missing, not a string or
/// longer than 256 bytes; 0 with directory empty when appName is empty or has no key.
ZODAVUDAZ_EXPORT int GetInstallDirectory(CString appName, CString& directory) noexcept;

#endif
