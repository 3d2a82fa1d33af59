// The files that a writer keeps beside a settings file: their names, and how they are made.
#ifndef ZODAVUDAZ_SETTINGS_WRITERFILES_H
#define ZODAVUDAZ_SETTINGS_WRITERFILES_H

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/settings/WriteStep.h>

/// The longest file name that the host's folders take.
constexpr int LongestFileName = 255;

/// The replacement that a writer fills before it moves it over the settings file at path, in
/// path's folder: the file's name, ".~" and 16 upper-case hexadecimal digits (the FNV-1a hash of
/// the whole name), with the name cut to its first 237 bytes so that the whole fits the folder.
/// One name per settings file, so a writer that died leaves at most one such file, which the
/// next writer finds without listing the folder.
CString TemporaryNameFor(const CString& path) noexcept;
/// The rollback journal of an in-place write of path, in path's folder: the temporary name with
/// ".journal" after it, the settings file's name cut to its first 229 bytes.
CString JournalNameFor(const CString& path) noexcept;

/// Creates the file name (one of the names above) for reading and writing, readable by its
/// creator alone; a file already there is removed first, since only a writer that died leaves
/// one and we hold the lock it held. Refused where the folder takes no new file or the name is
/// taken by something the writer may not remove; Failed where the creation failed otherwise.
WriteStep CreateWriterFile(CFile& file, const CString& name) noexcept;

#endif
