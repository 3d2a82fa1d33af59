// The calls that end frontends, refused on the sequence manager's own thread.
#ifndef ZODAVUDAZ_C_SEQUENCETHREAD_H
#define ZODAVUDAZ_C_SEQUENCETHREAD_H

#include <cstdint>

/// ZDZ_E_ORDER, with the last-error text saying why, when the calling thread is the sequence
/// manager's thread (a receiver of its announcements runs there), where ending frontends would
/// end or wait for the thread that calls it; ZDZ_OK elsewhere.
int32_t RefuseOnSequenceThread(const char* call) noexcept;

#endif
