// The text each thread's last C call leaves for zdz_last_error: what a failure was about.
#ifndef ZODAVUDAZ_C_LASTERROR_H
#define ZODAVUDAZ_C_LASTERROR_H

#include <cstdint>

/// Empties the calling thread's text; every call under the interface's lock begins with it.
void ClearLastError() noexcept;

/// Sets the calling thread's text from a printf format, cut to its room, with every byte that is
/// not printable ASCII written as \xHH, so that quoted file or caller text cannot reach a terminal
/// raw.
void NoteLastError(const char* format, ...) noexcept __attribute__((format(printf, 1, 2)));

/// Empties the calling thread's text and returns status: a call refused before it starts.
int32_t Refused(int32_t status) noexcept;

#endif
