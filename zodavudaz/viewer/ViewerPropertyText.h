// Conversion of a viewer property record to and from its one-line text form.
#ifndef ZODAVUDAZ_VIEWER_VIEWERPROPERTYTEXT_H
#define ZODAVUDAZ_VIEWER_VIEWERPROPERTYTEXT_H

#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>
#include <zodavudaz/viewer/ViewerProperty.h>

/// Sets text to the record's statements in table order ("ChannelNumber 2;MathChNum 0;..."),
/// numbers in the C locale, blanks and other separators inside texts as byte 14. The record is not
/// changed. Returns 0; a null record gives empty text. Returns 1 with empty text only when the
/// text cannot be allocated. Channel, Cursor, Offset, ScaleEffect, ScaleMin, ScaleMax and
/// CurrentValue are never written, so they read back as their defaults (docs/settings-files.md).
ZODAVUDAZ_EXPORT int ViewerProperty2Ascii(const ViewerProperty* record, CString& text) noexcept;

/// A new record read from a record text, or null for an empty text, a statement with fewer than
/// two words, a first known statement other than "ChannelNumber" with one value, a channel count
/// of 0, or a failed allocation. Unknown keywords, a last statement without ";" and values beyond
/// a field's room are dropped. The caller releases the record with ReleaseViewerProperty.
ZODAVUDAZ_EXPORT ViewerProperty* Ascii2ViewerProperty(CString text) noexcept;

#endif
