// The viewer settings records that the C interface hands out as handles.
#ifndef ZODAVUDAZ_C_VIEWERHANDLES_H
#define ZODAVUDAZ_C_VIEWERHANDLES_H

#include <zodavudaz/c/CallGuard.h>
#include <zodavudaz/c/HandleTable.h>
#include <zodavudaz/viewer/ViewerProperty.h>

/// The live zdz_viewer handles and their records, which the C interface owns.
HandleTable<ViewerProperty>& ViewerRecords() noexcept;

/// call(record) for a live handle under the interface's lock; ZDZ_E_HANDLE for any other.
template <typename CallT>
int32_t OnViewer(const zdz_viewer* viewer, CallT call) noexcept {
  if (viewer == nullptr)
    return ZDZ_E_ARGUMENT;
  return GuardedCall([&]() -> int32_t {
    ViewerProperty* record = ViewerRecords().Find(viewer);
    return record == nullptr ? ZDZ_E_HANDLE : call(*record);
  });
}

#endif
