// Viewer settings records through the C interface: made, released, read and written as text, and
// looked up for a module.
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/FiledCalls.h>
#include <zodavudaz/c/ViewerHandles.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/SettingsNames.h>
#include <zodavudaz/viewer/ViewerPropertyGroupText.h>
#include <zodavudaz/viewer/ViewerPropertyLookup.h>
#include <zodavudaz/viewer/ViewerPropertyText.h>

#include <memory>
#include <string>
#include <string_view>

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

/// Names what a look-up found nothing in: the file, the module's section and its product.
int32_t NoStoredViewer(WORD station, const CModule& module, const char* file) {
  const CString section = ModuleSectionName(FiledStation(station)->Name, module.ModuleId);
  const CString defaultFile = GetDataBase()->GetCurrentPath() + "\\Mardel.ini";
  NoteLastError("no viewer settings for product \"%.32s\" in [%s] of %s (the file, the section, its \"Viewer\" "
                "or a \"Product\" that names the product is missing)",
                module.ProductName, static_cast<LPCTSTR>(section),
                file != nullptr ? file : static_cast<LPCTSTR>(defaultFile));
  return ZDZ_E_NOT_FOUND;
}

/// The record look(&record) stores for a filed module (in file, or the settings folder's
/// "\\Mardel.ini" where it is null) as a new handle; ZDZ_E_NOT_FOUND when it stores none.
template <typename LookT>
int32_t LookUpViewer(WORD station, WORD module, const char* file, zdz_viewer** viewer, LookT look) noexcept {
  if (viewer == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  *viewer = nullptr;
  return OnModule(station, module, [&](CModule& filed) {
    ViewerProperty* found = nullptr;
    RecordPointer record(look(&found) ? found : nullptr);
    return record == nullptr ? NoStoredViewer(station, filed, file) : PutNewViewer(std::move(record), viewer);
  });
}

/// The first statement of text at which a reading of the statements up to it fails, for the
/// message of a text that does not read; text whole when each of them reads.
std::string_view FailingStatement(std::string_view text, std::size_t& number) {
  number = 0;
  for (std::size_t begin = 0; begin < text.size();) {
    const std::size_t end = std::min(text.find(';', begin), text.size());
    ++number;
    RecordPointer record(Ascii2ViewerProperty(std::string(text.substr(0, end + 1)).c_str()));
    if (record == nullptr)
      return text.substr(begin, end - begin);
    begin = end + 1;
  }
  return text;
}

int32_t UnreadableText(std::string_view text) {
  std::size_t number = 0;
  const std::string_view statement = FailingStatement(text, number);
  if (number == 0) {
    NoteLastError("the viewer text holds no statement: it begins with \"ChannelNumber N;\", N from 1");
    return ZDZ_E_ARGUMENT;
  }
  NoteLastError("statement %zu \"%.*s\" of the viewer text does not read: a statement is a keyword and its values, "
                "and the first must be \"ChannelNumber N\" with one N from 1 to 65535",
                number, static_cast<int>(std::min<std::size_t>(statement.size(), 200)), statement.data());
  return ZDZ_E_ARGUMENT;
}
} // namespace

HandleTable<ViewerProperty>& ViewerRecords() noexcept {
  static HandleTable<ViewerProperty> records;
  return records;
}

int32_t zdz_viewer_create(uint16_t channels, zdz_viewer** viewer) {
  if (channels == 0 || viewer == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    RecordPointer record(CreateViewerProperty(channels));
    return record == nullptr ? ZDZ_E_NO_MEMORY : PutNewViewer(std::move(record), viewer);
  });
}

int32_t zdz_viewer_release(zdz_viewer* viewer) {
  if (viewer == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
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
    return Refused(ZDZ_E_ARGUMENT);
  return GuardedCall([&] {
    RecordPointer record(Ascii2ViewerProperty(text));
    return record == nullptr ? UnreadableText(text) : PutNewViewer(std::move(record), viewer);
  });
}

int32_t zdz_viewer_to_text(const zdz_viewer* viewer, char* text, uint32_t capacity, uint32_t* size) {
  if (IsBadBuffer(text, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return OnViewer(viewer, [&](ViewerProperty& record) {
    CString written;
    if (ViewerProperty2Ascii(&record, written) != 0)
      return ZDZ_E_NO_MEMORY;
    return PutText(written, text, capacity, size);
  });
}

int32_t zdz_viewer_group_from_text(zdz_viewer* viewer, const char* text) {
  if (text == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return OnViewer(viewer, [&](ViewerProperty& record) {
    Ascii2ViewerPropertyGr(&record, text);
    return record.GrChInfo != nullptr && record.GrName != nullptr ? ZDZ_OK : ZDZ_E_NO_MEMORY;
  });
}

int32_t zdz_viewer_group_to_text(const zdz_viewer* viewer, uint16_t group, char* text, uint32_t capacity,
                                 uint32_t* size) {
  if (IsBadBuffer(text, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
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
  return LookUpViewer(station, module, nullptr, viewer,
                      [&](ViewerProperty** found) { return GetViewerPropertyGui(station, module, found); });
}

int32_t zdz_viewer_lookup_file(uint16_t station, uint16_t module, const char* file, zdz_viewer** viewer) {
  if (file == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  return LookUpViewer(station, module, file, viewer,
                      [&](ViewerProperty** found) { return GetViewerPropertyGuiEx(station, module, found, file); });
}
