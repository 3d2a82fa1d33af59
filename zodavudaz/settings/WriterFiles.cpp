#include <zodavudaz/settings/WriterFiles.h>

#include <zodavudaz/platform/FileAccess.h>
#include <zodavudaz/platform/RandomWord.h>

#include <zodavudaz/settings/ByteHash.h>

#include <cstring>

namespace {
constexpr char JournalSuffix[] = ".journal";
// A tagged name that is taken was guessed or raced for; the next tag is drawn anew.
constexpr int TaggedAttempts = 4;

/// path's folder with its "/", then its name cut so that the name with the hash, the tag and
/// suffix after it fits, then ".~", the hash of the whole name, "-" and the tag where there is
/// one, and suffix.
CString SiblingName(const CString& path, const CString& tag, const char* suffix) noexcept {
  const char* slash = std::strrchr(path, '/');
  const int nameBegin = slash == nullptr ? 0 : static_cast<int>(slash - path) + 1;
  const int nameLength = path.GetLength() - nameBegin;
  ByteHash hash;
  hash.Add(static_cast<LPCTSTR>(path) + nameBegin, nameLength);
  CString digits;
  digits.Format(".~%016llX", static_cast<unsigned long long>(hash.GetValue()));
  if (!tag.IsEmpty())
    digits += "-" + tag;
  const int kept = LongestFileName - digits.GetLength() - static_cast<int>(std::strlen(suffix));
  return path.Left(nameBegin + (nameLength < kept ? nameLength : kept)) + digits + suffix;
}

CString NameFor(const CString& path, WriterFile kind, const CString& tag) noexcept {
  return kind == WriterFile::Journal ? JournalNameFor(path, tag) : TemporaryNameFor(path, tag);
}

bool OpenPrivate(CFile& file, const CString& name, CFileException& error) noexcept {
  return !name.IsEmpty() &&
         file.Open(name, CFile::modeCreateNew | CFile::modeReadWrite | FileAccess::CreatePrivate, &error);
}

/// A fresh tag of 16 hexadecimal digits; empty where the host gives no random word.
CString NewTag() noexcept {
  std::uint64_t word = 0;
  CString tag;
  if (GetRandomWord(word))
    tag.Format("%016llX", static_cast<unsigned long long>(word));
  return tag;
}
} // namespace

CString TemporaryNameFor(const CString& path, const CString& tag) noexcept { return SiblingName(path, tag, ""); }

CString JournalNameFor(const CString& path, const CString& tag) noexcept {
  return SiblingName(path, tag, JournalSuffix);
}

WriteStep CreateWriterFile(CFile& file, const CString& path, WriterFile kind, CString& name, CString& tag) noexcept {
  tag.Empty();
  name = NameFor(path, kind, tag);
  CFileException error;
  error.Cause = FileCause::Generic;
  if (OpenPrivate(file, name, error))
    return WriteStep::Done;
  // A name that is taken gives the generic cause.
  if (error.Cause == FileCause::Generic && CFile::Remove(name) && OpenPrivate(file, name, error))
    return WriteStep::Done;
  for (int attempt = 0; error.Cause == FileCause::Generic && attempt < TaggedAttempts; ++attempt) {
    tag = NewTag();
    if (tag.IsEmpty())
      break;
    name = NameFor(path, kind, tag);
    if (OpenPrivate(file, name, error))
      return WriteStep::Done;
  }
  name.Empty();
  tag.Empty();
  return error.Cause == FileCause::AccessDenied ? WriteStep::Refused : WriteStep::Failed;
}
