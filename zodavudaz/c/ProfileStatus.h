// The status of a settings call that gave 0, from why it did.
#ifndef ZODAVUDAZ_C_PROFILESTATUS_H
#define ZODAVUDAZ_C_PROFILESTATUS_H

#include <zodavudaz/c/CallGuard.h>
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/zodavudaz_c.h>

/// The status for the calling thread's last settings call, which gave 0: ZDZ_E_NOT_FOUND for a
/// missing file, section or key and for contents that are not usable, else ZDZ_E_BUSY,
/// ZDZ_E_REFUSED_NAME or ZDZ_E_FILE_SYSTEM.
int32_t FailedProfileStatus() noexcept;

/// ZDZ_OK when the calling thread's last settings call succeeded, else FailedProfileStatus().
int32_t LastProfileStatus() noexcept;

/// The text read(text) reads into the caller's buffer, under the interface's lock; the failure's
/// status when it gives false.
template <typename ReadT>
int32_t PutProfileText(char* out, uint32_t capacity, uint32_t* size, ReadT read) noexcept {
  if (IsBadBuffer(out, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    CString text;
    if (!read(text))
      return FailedProfileStatus();
    return PutText(text, out, capacity, size);
  });
}

#endif
