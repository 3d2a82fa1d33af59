#include <zodavudaz/settings/WriterFiles.h>

#include <zodavudaz/platform/FileAccess.h>

#include <zodavudaz/settings/ByteHash.h>

#include <cstring>

namespace {
constexpr char JournalSuffix[] = ".journal";

/// path's folder with its "/", then its name cut so that the name with a tag of tagLength bytes
/// after it fits, then ".~" and the hash of the whole name.
CString SiblingName(const CString& path, int tagLength) noexcept {
  const char* slash = std::strrchr(path, '/');
  const int nameBegin = slash == nullptr ? 0 : static_cast<int>(slash - path) + 1;
  const int nameLength = path.GetLength() - nameBegin;
  ByteHash hash;
  hash.Add(static_cast<LPCTSTR>(path) + nameBegin, nameLength);
  CString digits;
  digits.Format(".~%016llX", static_cast<unsigned long long>(hash.GetValue()));
  const int kept = LongestFileName - digits.GetLength() - tagLength;
  return path.Left(nameBegin + (nameLength < kept ? nameLength : kept)) + digits;
}
} // namespace

CString TemporaryNameFor(const CString& path) noexcept { return SiblingName(path, 0); }

CString JournalNameFor(const CString& path) noexcept {
  return SiblingName(path, static_cast<int>(sizeof JournalSuffix) - 1) + JournalSuffix;
}

WriteStep CreateWriterFile(CFile& file, const CString& name) noexcept {
  constexpr UINT Flags = CFile::modeCreateNew | CFile::modeReadWrite | FileAccess::CreatePrivate;
  CFileException error;
  if (file.Open(name, Flags, &error))
    return WriteStep::Done;
  // A name that is taken gives the generic cause.
  if (error.Cause == FileCause::Generic && CFile::Remove(name) && file.Open(name, Flags, &error))
    return WriteStep::Done;
  return error.Cause == FileCause::AccessDenied || error.Cause == FileCause::Generic ? WriteStep::Refused
                                                                                     : WriteStep::Failed;
}
