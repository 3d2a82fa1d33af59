// Viewer settings records through the C interface: made, released, read and written as text, and
// looked up for a module.
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/c/ViewerHandles.h>
#include <zodavudaz/viewer/ViewerPropertyGroupText.h>
#include <zodavudaz/viewer/ViewerPropertyLookup.h>
#include <zodavudaz/viewer/ViewerPropertyText.h>

#include <memory>

namespace {
struct RecordRelease {
  void operator()(ViewerProperty* record) const noexcept { ReleaseViewerProperty(record); }
};
using RecordPointer = std::unique_ptr<ViewerProperty, RecordRelease>;

/// Hands out a handle for a record made for the caller; the record is released when the handle
/// cannot be made.
int32_t PutNewViewer(RecordPointer record, zdz_viewer** viewer) {
  *viewer = ViewerRecords().Add<zdz_viewer>(record);
  return ZDZ_OK;
}

/// The record look(&record) stores for a filed module as a new handle; ZDZ_E_NOT_FOUND when it
/// stores none.
template <typename LookT>
int32_t LookUpViewer(WORD station, WORD module, zdz_viewer** viewer, LookT look) noexcept {
  if (viewer == nullptr)
    return ZDZ_E_ARGUMENT;
  *viewer = nullptr;
  return OnModule(station, module, [&](CModule&) {
    ViewerProperty* found = nullptr;
    RecordPointer record(look(&found) ? found : nullptr);
    return record == nullptr ? ZDZ_E_NOT_FOUND : PutNewViewer(std::move(record), viewer);
  });
}
} // namespace

HandleTable<ViewerProperty>& ViewerRecords() noexcept {
  static HandleTable<ViewerProperty> records;
  return records;
}

int32_t zdz_viewer_create(uint16_t channels, zdz_viewer** viewer) {
  if (channels == 0 || viewer == nullptr)
    return ZDZ_E_ARGUMENT;
  return GuardedCall([&] {
    RecordPointer record(CreateViewerProperty(channels));
    return record == nullptr ? ZDZ_E_NO_MEMORY : PutNewViewer(std::move(record), viewer);
  });
}

int32_t zdz_viewer_release(zdz_viewer* viewer) {
  if (viewer == nullptr)
    return ZDZ_E_ARGUMENT;
  return GuardedCall([&] {
    ViewerProperty* record = ViewerRecords().Take(viewer);
    if (record == nullptr)
      return ZDZ_E_HANDLE;
    ReleaseViewerProperty(record);
    return ZDZ_OK;
  });
}

int32_t zdz_viewer_from_text(const char* text, zdz_viewer** viewer) {
  if (text == nullptr || viewer == nullptr)
    return ZDZ_E_ARGUMENT;
  return GuardedCall([&] {
    RecordPointer record(Ascii2ViewerProperty(text));
    return record == nullptr ? ZDZ_E_ARGUMENT : PutNewViewer(std::move(record), viewer);
  });
}

int32_t zdz_viewer_to_text(const zdz_viewer* viewer, char* text, uint32_t capacity, uint32_t* size) {
  if (IsBadBuffer(text, capacity, size))
    return ZDZ_E_ARGUMENT;
  return OnViewer(viewer, [&](ViewerProperty& record) {
    CString written;
    if (ViewerProperty2Ascii(&record, written) != 0)
      return ZDZ_E_NO_MEMORY;
    return PutText(written, text, capacity, size);
  });
}

int32_t zdz_viewer_group_from_text(zdz_viewer* viewer, const char* text) {
  if (text == nullptr)
    return ZDZ_E_ARGUMENT;
  return OnViewer(viewer, [&](ViewerProperty& record) {
    Ascii2ViewerPropertyGr(&record, text);
    return record.GrChInfo != nullptr && record.GrName != nullptr ? ZDZ_OK : ZDZ_E_NO_MEMORY;
  });
}

int32_t zdz_viewer_group_to_text(const zdz_viewer* viewer, uint16_t group, char* text, uint32_t capacity,
                                 uint32_t* size) {
  if (IsBadBuffer(text, capacity, size))
    return ZDZ_E_ARGUMENT;
  return OnViewer(viewer, [&](ViewerProperty& record) {
    if (group >= record.GrNum)
      return ZDZ_E_ARGUMENT;
    if (record.GrChInfo == nullptr || record.GrName == nullptr)
      return ZDZ_E_NOT_FOUND;
    CString written;
    if (ViewerProperty2AsciiGr(&record, group, written) != 0)
      return ZDZ_E_NO_MEMORY;
    return PutText(written, text, capacity, size);
  });
}

int32_t zdz_viewer_lookup(uint16_t station, uint16_t module, zdz_viewer** viewer) {
  return LookUpViewer(station, module, viewer,
                      [&](ViewerProperty** found) { return GetViewerPropertyGui(station, module, found); });
}

int32_t zdz_viewer_lookup_file(uint16_t station, uint16_t module, const char* file, zdz_viewer** viewer) {
  if (file == nullptr)
    return ZDZ_E_ARGUMENT;
  return LookUpViewer(station, module, viewer,
                      [&](ViewerProperty** found) { return GetViewerPropertyGuiEx(station, module, found, file); });
}
