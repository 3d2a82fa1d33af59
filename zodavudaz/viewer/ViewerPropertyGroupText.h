// Conversion of one channel group of a viewer property record to and from its text form.
#ifndef ZODAVUDAZ_VIEWER_VIEWERPROPERTYGROUPTEXT_H
#define ZODAVUDAZ_VIEWER_VIEWERPROPERTYGROUPTEXT_H

#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>
#include <zodavudaz/viewer/ViewerProperty.h>

/// Sets text to the group's line, "Group<group + 1> <name>;" and the six column statements
/// ("CHID -1 5;CHSTS 0 0;..."), numbers in the C locale. Returns 0; 1 with empty text for a null
/// record, a group not below GrNum, a record without GrName or GrChInfo, or a text that cannot be
/// allocated.
ZODAVUDAZ_EXPORT int ViewerProperty2AsciiGr(const ViewerProperty* record, WORD group, CString& text) noexcept;

/// Gives the record its group arrays when it lacks them (names empty, entries with CHID -1, MMIN
/// and MMAX not-a-number, the rest 0), then reads one group line into the group it names. A line
/// that does not start with "Group<k> " for k from 1 to GrNum, missing columns and values beyond
/// GrChNum change nothing. A null record is ignored.
ZODAVUDAZ_EXPORT void Ascii2ViewerPropertyGr(ViewerProperty* record, CString text) noexcept;

#endif
