#include <zodavudaz/database/StationSections.h>

#include <zodavudaz/settings/SettingsNames.h>

#include <cstring>

StationSections::StationSections(const ProfileImage& image, const CString& stationName) noexcept : Image(image) {
  CString headers[SectionCount];
  headers[0] = "[" + StationSectionName(stationName) + "]";
  headers[IndexOf(FirstSlot)] = "[" + ModuleSectionName(stationName, FirstSlot) + "]";
  for (int slot = 0; slot <= LastSlot; ++slot)
    headers[IndexOf(slot)] = "[" + ModuleSectionName(stationName, slot) + "]";
  // Every wanted header begins with the station's own header without its "]".
  const CString prefix = headers[0].Left(headers[0].GetLength() - 1);
  const HeaderSearch search = image.SearchFor(prefix);
  for (int at = image.FindHeader(search, 0); at >= 0; at = image.FindHeader(search, at + 1)) {
    const int rest = image.GetLength() - at;
    for (int index = 0; index < SectionCount; ++index) {
      if (Found[index] || headers[index].GetLength() > rest ||
          std::memcmp(image.GetData() + at, headers[index], static_cast<size_t>(headers[index].GetLength())) != 0 ||
          !image.EndsLine(at + headers[index].GetLength()))
        continue;
      Sections[index] = image.SectionAt(at);
      Found[index] = true;
    }
  }
}

bool StationSections::GetModuleString(int slot, LPCTSTR key, CString& value) const noexcept {
  if (slot != FirstSlot && (slot < 0 || slot > LastSlot)) {
    value.Empty();
    return false;
  }
  return GetString(IndexOf(slot), key, value);
}

bool StationSections::GetString(int index, LPCTSTR key, CString& value) const noexcept {
  if (Found[index])
    return Image.FindValue(Sections[index], key, value);
  value.Empty();
  return false;
}
