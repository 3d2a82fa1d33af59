// The module queries and the acquired-data request with what their exported calls do not report:
// the reply's type code, and what the first acquired-data reply left in the caller's buffer.
#ifndef ZODAVUDAZ_DATABASE_REPLYDELIVERY_H
#define ZODAVUDAZ_DATABASE_REPLYDELIVERY_H

#include <zodavudaz/database/CGUIDatabase.h>

/// CGUIDatabase::GuiGetArray, SettingQueryPointer and HelpQueryPointer, with *type = the reply's
/// type code, which they drop.
WORD GuiGetArrayTyped(const CGUIDatabase& database, WORD station, WORD slot, WORD cntl, void** data, WORD* type,
                      DWORD* count, BYTE mode) noexcept;
WORD SettingQueryPointerTyped(const CGUIDatabase& database, WORD station, WORD slot, WORD cntl, void** data, WORD* type,
                              DWORD* count) noexcept;
WORD HelpQueryPointerTyped(const CGUIDatabase& database, WORD station, WORD slot, void** data, WORD* type, DWORD* count,
                           WORD* fromQuery) noexcept;

/// What the first request of GetAcqDataEx left in the buffer, and the element count the module
/// gave: of that reply, or of the whole acquisition when the second request asked it.
struct AcqDataDelivery {
  /// Type code and bytes of the first reply in the buffer.
  WORD Type = 0;
  DWORD Bytes = 0;
  DWORD Elements = 0;
};

/// CGUIDatabase::GetAcqDataEx, also filling delivery.
WORD GetAcqDataDelivered(CGUIDatabase& database, WORD station, WORD slot, WORD offset, LONG first, LONG second,
                         LONG third, LONG fourth, DWORD points, WORD direction, void* buffer, DWORD capacity,
                         WORD* type, DWORD* size, AcqDataDelivery& delivery, CRplySync* sync) noexcept;

#endif
