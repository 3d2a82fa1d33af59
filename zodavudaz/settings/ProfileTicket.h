// The order in which the writers of a settings file in different processes are served.
#ifndef ZODAVUDAZ_SETTINGS_PROFILETICKET_H
#define ZODAVUDAZ_SETTINGS_PROFILETICKET_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/FileAccess.h>

#include <cstdint>

/// One caller's place in the queue of a settings file's writers across processes. A place is a
/// shared lock of one byte of the file's folder, in a range of its own for each file name: the
/// folder stays while writers replace the file, and the kernel drops a dead process's places
/// with its open folder, so a caller killed while it waits holds up nobody and leaves nothing.
/// A caller takes the place after the last one held and is served once no earlier place is
/// held; two callers that take a place at the same moment may share it and are served together.
class ProfileTicket {
public:
  /// Places of one file name: far more than callers ever queue before the queue empties.
  static constexpr std::uint64_t PlaceCount = 0xFFFFFFFFull;

  ProfileTicket() noexcept = default;
  ProfileTicket(const ProfileTicket&) = delete;
  ProfileTicket& operator=(const ProfileTicket&) = delete;
  ~ProfileTicket() { Leave(); }

  /// Takes the next place in the queue of the file at path; false, and no place, where its folder
  /// cannot be opened for its locks (the caller then goes on without an order) or the last place
  /// is held.
  bool Take(LPCTSTR path) noexcept;
  /// Waits up to milliseconds (0: not at all) until no earlier place is held; false when that did
  /// not come. True without a place.
  bool Wait(DWORD milliseconds) const noexcept;
  /// Gives the place up.
  void Leave() noexcept;

  /// The first byte in the folder of the places of the file named name (without its folder): the
  /// same in every build.
  static std::uint64_t FirstPlaceOf(const char* name, int length) noexcept;

private:
  /// The place after the last one held; PlaceCount when the last one is held.
  std::uint64_t NextPlace() const noexcept;
  bool IsServed() const noexcept;

  FileAccess::Handle Folder = FileAccess::NoHandle;
  std::uint64_t FirstPlace = 0;
  std::uint64_t Place = 0;
};

#endif
