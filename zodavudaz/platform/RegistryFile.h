// Registration files: plain-text lines through which an installation enters its registry keys.
//
// Lines end with CR LF, LF or CR; the last may lack its end. Each line is one of:
//   empty, or starting with '#' or ';'   ignored;
//   [ROOT]  or  [ROOT\path]              names a key and creates it with its parents; ROOT is
//                                        HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER;
//   name=text                            stores text plus a terminating zero as string value
//                                        (REG_SZ) name of the key named last.
// The name runs to the first '=' and the text to the line end, both taken as they stand: no
// quotes, escapes or trimming of blanks. "=text" sets the key's default value. For example:
//   [HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\ZoViewer.exe]
//   Path=/opt/zodavudaz/viewer
#ifndef ZODAVUDAZ_PLATFORM_REGISTRYFILE_H
#define ZODAVUDAZ_PLATFORM_REGISTRYFILE_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// Enters the registration file at path into the registry, keeping what it holds already.
/// ERROR_FILE_NOT_FOUND when the file cannot be read; ERROR_BADDB, with nothing entered, when a
/// line breaks the format or the file holds a zero byte; ERROR_SUCCESS otherwise.
ZODAVUDAZ_EXPORT LONG LoadRegistryFile(LPCTSTR path) noexcept;

/// Enters length bytes of registration lines at text; results as LoadRegistryFile's.
ZODAVUDAZ_EXPORT LONG LoadRegistryText(const char* text, DWORD length) noexcept;

#endif
