#include <zodavudaz/settings/ProfileFile.h>

#include <zodavudaz/settings/ProfileCauseSetter.h>
#include <zodavudaz/settings/ProfileImage.h>
#include <zodavudaz/settings/ProfileReading.h>
#include <zodavudaz/settings/ProfileWriter.h>

#include <cstring>

namespace {
// Lines are read in growing pieces, so that a caller naming the whole file as the line's limit
// still reads each line about once; most lines fit the first piece.
constexpr UINT FirstPiece = 128;
constexpr UINT LargestPiece = 1u << 20;
} // namespace

void ReadStringEx(CFile* file, UINT bufferSize, CString& line) noexcept {
  // Emptied but keeping its buffer: callers read line after line into one text.
  line.ReleaseBuffer(0);
  if (file == nullptr)
    return;
  UINT held = 0;
  for (UINT piece = FirstPiece; held < bufferSize && held < 0x7FFFFFF0u;
       piece = piece < LargestPiece ? piece * 2 : piece) {
    const UINT wanted = bufferSize - held < piece ? bufferSize - held : piece;
    char* scratch = line.GetBuffer(static_cast<int>(held + wanted));
    const UINT read = scratch != nullptr ? file->Read(scratch + held, wanted) : CFile::Failed;
    if (read == CFile::Failed) {
      line.ReleaseBuffer(0);
      file->Seek(-static_cast<LONG>(held), CFile::current);
      return;
    }
    const void* lineFeed = std::memchr(scratch + held, '\n', read);
    if (lineFeed != nullptr) {
      const UINT lineLength = static_cast<UINT>(static_cast<const char*>(lineFeed) - scratch) + 1;
      line.ReleaseBuffer(static_cast<int>(lineLength));
      file->Seek(static_cast<LONG>(lineLength) - static_cast<LONG>(held + read), CFile::current);
      return;
    }
    held += read;
    line.ReleaseBuffer(static_cast<int>(held));
    if (read < wanted)
      return;
  }
}

int GetProfileStringEx(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, CString& value) noexcept {
  value.Empty();
  if (fileName == nullptr || section == nullptr || key == nullptr)
    return ProfileResult(ProfileCause::RefusedName);
  ProfileImage image;
  const ProfileCause loaded = LoadProfileImage(fileName, image);
  if (!IsProfileSuccess(loaded))
    return ProfileResult(loaded);
  const ProfileCause found = image.GetString(section, key, value);
  return ProfileResult(found == ProfileCause::None ? loaded : found);
}

int WriteProfileStringEx(LPCTSTR fileName, LPCTSTR section, LPCTSTR key, LPCTSTR value) noexcept {
  if (fileName == nullptr || section == nullptr || key == nullptr || value == nullptr ||
      !ProfileWriter::CanStore(section, key, value))
    return ProfileResult(ProfileCause::RefusedName);
  // What a failed write leaves, where the writer names no other cause.
  SetLastProfileCause(ProfileCause::FileSystemFailure);
  ProfileWriter writer(fileName, section, key, value);
  return writer.Write() ? ProfileResult(writer.GetNotice()) : 0;
}

int ReadProfileFile(LPCTSTR fileName, CString& text) noexcept {
  text.Empty();
  if (fileName == nullptr)
    return ProfileResult(ProfileCause::RefusedName);
  return ProfileResult(LoadProfileBytes(fileName, text));
}
