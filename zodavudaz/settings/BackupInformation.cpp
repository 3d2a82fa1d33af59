#include <zodavudaz/settings/BackupInformation.h>

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/ModuleBackupAcceptance.h>
#include <zodavudaz/settings/ProfileImage.h>
#include <zodavudaz/settings/SettingsNames.h>

#include <cstring>

int GetModuleBackupInf(WORD station, WORD slot, CString& info) noexcept {
  return GetModuleBackupInfFile(station, slot, info, GetDefaultTmpFileName());
}

int GetModuleBackupInfFile(WORD station, WORD slot, CString& info, CString fileName) noexcept {
  info.Empty();
  CGUIDatabase& database = *GetDataBase();
  CStation* owner = nullptr;
  CModule* module = nullptr;
  if (!database.GetStationInf(station, &owner) || !database.GetModuleInf(station, slot, &module))
    return 0;
  ProfileImage image;
  image.Load(fileName);
  const CString section = ModuleSectionName(owner->Name, slot);
  CString product;
  image.GetString(section, "Product", product);
  image.GetString(section, "ModuleInf", info);
  return AcceptModuleBackup(product, *module, info) ? 1 : 0;
}

int GetStationBackupInf(WORD station, CString& info, CString fileName) noexcept {
  info.Empty();
  CStation* found = nullptr;
  ProfileImage image;
  if (GetDataBase()->GetStationInf(station, &found) && image.Load(fileName))
    image.GetString(StationSectionName(found->Name), "Database", info);
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
