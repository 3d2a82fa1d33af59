// Look-up of a module's stored viewer settings in a settings file.
#ifndef ZODAVUDAZ_VIEWER_VIEWERPROPERTYLOOKUP_H
#define ZODAVUDAZ_VIEWER_VIEWERPROPERTYLOOKUP_H

#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>
#include <zodavudaz/viewer/ViewerProperty.h>

/// Reads "Viewer" and "Product" of section "Station<name>-Module<slot>" of the settings folder's
/// "\Mardel.ini". 1 when the module is known, the text is not empty and "Product" holds the
/// module's product name; record is then the text read back (null when it does not convert).
/// Otherwise 0 and a null record. The caller releases the record with ReleaseViewerProperty.
ZODAVUDAZ_EXPORT int GetViewerPropertyGui(WORD stationId, WORD slot, ViewerProperty** record) noexcept;

/// As GetViewerPropertyGui on fileName, and reads "Group1" to "Group<GrNum>" into a returned record.
ZODAVUDAZ_EXPORT int GetViewerPropertyGuiEx(WORD stationId, WORD slot, ViewerProperty** record,
                                            CString fileName) noexcept;

#endif
