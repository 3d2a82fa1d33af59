#include <zodavudaz/settings/ProfileTicket.h>

#include <zodavudaz/platform/CFile.h>
#include <zodavudaz/platform/Ticks.h>
#include <zodavudaz/settings/ByteHash.h>

#include <cstring>

namespace {
// The first tries only yield: the caller ahead usually leaves within a few scheduling rounds.
constexpr int YieldingTries = 16;
// Then a look costs one system call, and the next writer finds its turn well within a small
// file's write: a millisecond's sleep would halve the writes of a busy file.
constexpr DWORD PollMicroseconds = 100;
// Ranges of 2^32 bytes, one for each of 2^30 hashes of file names: their bytes lie below 2^62,
// inside the positions the kernel takes from 32-bit and 64-bit processes alike.
constexpr int RangeBits = 32;
constexpr std::uint64_t RangeCount = std::uint64_t{1} << 30;
} // namespace

std::uint64_t ProfileTicket::FirstPlaceOf(const char* name, int length) noexcept {
  ByteHash hash;
  hash.Add(name, length);
  return (hash.GetValue() % RangeCount) << RangeBits;
}

bool ProfileTicket::Take(LPCTSTR path) noexcept {
  Leave();
  // Every name of the file leads to the same folder and name.
  const CString resolved = CFile::ResolveLinks(path);
  const LPCTSTR slash = std::strrchr(resolved, '/');
  if (slash == nullptr)
    return false;
  const int folderLength = static_cast<int>(slash - static_cast<LPCTSTR>(resolved));
  FileAccess& access = GetFileAccess();
  Folder = access.OpenFolder(folderLength == 0 ? CString("/") : resolved.Left(folderLength));
  if (Folder == FileAccess::NoHandle)
    return false;
  FirstPlace = FirstPlaceOf(slash + 1, resolved.GetLength() - folderLength - 1);
  Place = NextPlace();
  if (Place == PlaceCount || !access.ShareFolderRange(Folder, FirstPlace + Place, 1)) {
    Leave();
    return false;
  }
  return true;
}

std::uint64_t ProfileTicket::NextPlace() const noexcept {
  FileAccess& access = GetFileAccess();
  if (!access.IsFolderRangeLocked(Folder, FirstPlace, PlaceCount))
    return 0;
  // The last held place lies in [low, high): halve the range, asking the kernel about each half.
  std::uint64_t low = 0;
  std::uint64_t high = PlaceCount;
  while (high - low > 1) {
    const std::uint64_t middle = low + (high - low) / 2;
    if (access.IsFolderRangeLocked(Folder, FirstPlace + middle, high - middle))
      low = middle;
    else
      high = middle;
  }
  return low + 1;
}

bool ProfileTicket::IsServed() const noexcept {
  return Folder == FileAccess::NoHandle || Place == 0 ||
         !GetFileAccess().IsFolderRangeLocked(Folder, FirstPlace, Place);
}

bool ProfileTicket::Wait(DWORD milliseconds) const noexcept {
  const DWORD start = GetTickCount();
  for (int tries = 0; !IsServed(); ++tries) {
    if (GetTickCount() - start >= milliseconds)
      return false;
    if (tries < YieldingTries)
      Sleep(0);
    else
      SleepMicroseconds(PollMicroseconds);
  }
  return true;
}

void ProfileTicket::Leave() noexcept {
  if (Folder != FileAccess::NoHandle)
    GetFileAccess().Close(Folder);
  Folder = FileAccess::NoHandle;
}
