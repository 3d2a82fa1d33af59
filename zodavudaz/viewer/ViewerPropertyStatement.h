// The values of one statement of a viewer settings line stored into a record.
#ifndef ZODAVUDAZ_VIEWER_VIEWERPROPERTYSTATEMENT_H
#define ZODAVUDAZ_VIEWER_VIEWERPROPERTYSTATEMENT_H

#include <zodavudaz/viewer/ViewerPropertyTable.h>
#include <zodavudaz/viewer/WordList.h>

/// Stores the values of a statement of row's keyword into record, as the record text is read: up
/// to the row's count, per-channel rows up to the channels the record was created for,
/// "ChannelNumber" no higher than those, a text (its first value) or the colours in a new block.
/// The table must be bound to record. False when a block cannot be allocated.
bool StoreViewerPropertyValues(ViewerProperty& record, ViewerPropertyRow& row, WordList values,
                               unsigned valueCount) noexcept;

#endif
