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
/// next writer finds without listing the folder. With a tag (16 random hexadecimal digits), the
/// name a writer takes where another user holds that one: "-" and the tag after the hash, the
/// file's name cut to 220 bytes.
CString TemporaryNameFor(const CString& path, const CString& tag = CString()) noexcept;
/// The rollback journal of an in-place write of path, in path's folder: the temporary name with
/// ".journal" after it, the settings file's name cut to its first 229 bytes (212 with a tag).
CString JournalNameFor(const CString& path, const CString& tag = CString()) noexcept;

/// Which of the two files.
enum class WriterFile { Replacement, Journal };

/// Creates the writer file of kind for the settings file at path, for reading and writing,
/// readable by its creator alone, and gives its name and tag (empty for the fixed name). A file
/// under the fixed name is removed first, since only a writer that died leaves one and we hold
/// the lock it held; where the name stays taken (another user's folder, or file in a sticky
/// folder), the file is made under a tagged name instead, so that no other user can send a write
/// another way. Refused only where the folder takes no new file; Failed where the creation failed
/// otherwise.
WriteStep CreateWriterFile(CFile& file, const CString& path, WriterFile kind, CString& name, CString& tag) noexcept;

#endif
