// The exported profile engine: one line from an open file, one key's value, one key written, the
// whole file read.
#ifndef ZODAVUDAZ_SETTINGS_PROFILEFILE_H
#define ZODAVUDAZ_SETTINGS_PROFILEFILE_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>
#include <zodavudaz/settings/ProfileCause.h>

/// Reads from file's position up to and including the next LF (or up to bufferSize bytes, or the
/// end of the file) into line and leaves the position just after it; an empty line at the end of
/// the file, on a read failure or for a null file.
ZODAVUDAZ_EXPORT void ReadStringEx(CFile* file, UINT bufferSize, CString& line) noexcept;

/// The value of key in section of the file fileName (a full path): 1 and the value (possibly
/// empty) when found; 0 and empty text when the file cannot be opened or read, or the section
/// or key is missing. Names are case-sensitive and not trimmed. A writer of the file is waited
/// for up to 5 seconds; after that the call gives 0. GetLastProfileCause says why a call gave 0.
ZODAVUDAZ_EXPORT int GetProfileStringEx(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, CString& value) noexcept;

/// Writes key=value as the last key line of section, dropping the key's other lines; appends the
/// section where the file lacks it and creates the file where it does not exist. 1 on success;
/// 0, with the file as it was, when the names cannot be stored (a value with CR or LF, a key that
/// is empty, holds "=", CR or LF or begins with "[" after blanks, a section holding CR or LF;
/// "]" and "[" are fine in a section name), when other callers hold the file for the whole wait of
/// 5 seconds, or when a file operation fails. GetLastProfileCause says why a call gave 0.
ZODAVUDAZ_EXPORT int WriteProfileStringEx(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept;

/// The whole of the file fileName into text, read under the readers' lock like GetProfileStringEx,
/// so that it is one version of the file, never a write half done: 1 and the bytes (zero bytes
/// included); 0 and empty text when the file is missing, cannot be read, or writers hold it for
/// the whole wait of 5 seconds (GetLastProfileCause says which).
ZODAVUDAZ_EXPORT int ReadProfileFile(LPCTSTR fileName, CString& text) noexcept;

#endif
