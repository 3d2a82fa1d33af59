// The exported profile engine: one line from an open file, one key's value, one key written.
#ifndef ZODAVUDAZ_SETTINGS_PROFILEFILE_H
#define ZODAVUDAZ_SETTINGS_PROFILEFILE_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

/// Reads from file's position up to and including the next LF (or up to bufferSize bytes, or the
/// end of the file) into line and leaves the position just after it; an empty line at the end of
/// the file, on a read failure or for a null file.
ZODAVUDAZ_EXPORT void ReadStringEx(CFile* file, UINT bufferSize, CString& line) noexcept;

/// The value of key in section of the file fileName (a full path): 1 and the value (possibly
/// empty) when found; 0 and empty text when the file cannot be opened or read, or the section
/// or key is missing. Names are case-sensitive and not trimmed.
ZODAVUDAZ_EXPORT int GetProfileStringEx(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, CString& value) noexcept;

/// Writes key=value as the last key line of section, dropping the key's other lines; appends the
/// section where the file lacks it and creates the file where it does not exist. 1 on success;
/// 0, with the file as it was, when the names cannot be stored (a value with CR or LF, a key that
/// is empty, holds "=", CR or LF or begins with "[", a section holding "]", CR or LF), when
/// another opener holds the file, or when any file operation fails.
ZODAVUDAZ_EXPORT int WriteProfileStringEx(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept;

#endif
