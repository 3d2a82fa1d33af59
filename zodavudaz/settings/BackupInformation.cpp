#include <zodavudaz/settings/BackupInformation.h>

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/ModuleBackupAcceptance.h>
#include <zodavudaz/settings/ProfileCauseSetter.h>
#include <zodavudaz/settings/ProfileReading.h>
#include <zodavudaz/settings/SettingsNames.h>

#include <cstring>

namespace {
ProfileCause FirstOf(ProfileCause first, ProfileCause second) noexcept {
  return IsProfileSuccess(first) ? second : first;
}
} // namespace

int GetModuleBackupInf(WORD station, WORD slot, CString& info) noexcept {
  return GetModuleBackupInfFile(station, slot, info, GetDefaultTmpFileName());
}

int GetModuleBackupInfFile(WORD station, WORD slot, CString& info, CString fileName) noexcept {
  info.Empty();
  CGUIDatabase& database = *GetDataBase();
  CStation* owner = nullptr;
  CModule* module = nullptr;
  if (!database.GetStationInf(station, &owner) || !database.GetModuleInf(station, slot, &module))
    return ProfileResult(ProfileCause::MissingSection);
  ProfileImage image;
  const ProfileCause loaded = LoadProfileImage(fileName, image);
  const CString section = ModuleSectionName(owner->Name, slot);
  CString product;
  const ProfileCause productRead = image.GetString(section, "Product", product);
  const ProfileCause infoRead = image.GetString(section, "ModuleInf", info);
  if (AcceptModuleBackup(product, *module, info))
    return ProfileResult(ProfileCause::None);
  // Information stored for another product was read whole: a 0 without a cause.
  SetLastProfileCause(FirstOf(loaded, FirstOf(infoRead, productRead)));
  return 0;
}

int GetStationBackupInf(WORD station, CString& info, CString fileName) noexcept {
  info.Empty();
  CStation* found = nullptr;
  ProfileCause cause = ProfileCause::MissingSection;
  if (GetDataBase()->GetStationInf(station, &found)) {
    ProfileImage image;
    cause = LoadProfileImage(fileName, image);
    if (IsProfileSuccess(cause))
      cause = image.GetString(StationSectionName(found->Name), "Database", info);
  }
  // Always 1; the cause still tells whether the text was read.
  SetLastProfileCause(cause);
  return 1;
}

bool AcceptModuleBackup(const CString& product, const CModule& module, CString& info) noexcept {
  // The product name may fill its array without a terminating zero.
  const CString productName(module.ProductName,
                            static_cast<int>(strnlen(module.ProductName, sizeof module.ProductName)));
  if (!info.IsEmpty() && product.Find(productName) >= 0)
    return true;
  info.Empty();
  return false;
}
