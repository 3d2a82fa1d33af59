// Database build of CGUIDatabase: a station's stored GUI state loaded from a settings file, or
// put back to its defaults.
#include <zodavudaz/database/CGUIDatabase.h>

#include <zodavudaz/control/LineEndConversion.h>
#include <zodavudaz/database/FiledStation.h>
#include <zodavudaz/database/SettingsValueList.h>
#include <zodavudaz/database/StationSections.h>
#include <zodavudaz/settings/ModuleBackupAcceptance.h>
#include <zodavudaz/settings/ProfileCauseSetter.h>
#include <zodavudaz/settings/ProfileReading.h>
#include <zodavudaz/settings/WindowPlacementEntries.h>

#include <cstring>
#include <iterator>

namespace {
constexpr WORD LastBuiltSlot = StationSections::LastSlot;
constexpr LONG NoWindowEdge = 65537;
constexpr LONG DefaultStationConfig[7] = {1, 1, 1, 1, 1, 1, 0};
constexpr LONG DefaultModuleConfig[3] = {1, 1, 1};

/// One numeric position of a module back-up entry: where it goes, and what the field gets when
/// the entry is missing or holds no number.
struct BackupField {
  void (*Store)(CModule& module, LONG value);
  LONG Default;
};

template <BYTE ActOnTrigInfo::*Field>
void StoreTrigByte(CModule& module, LONG value) {
  module.ActOnTrigInfo.*Field = static_cast<BYTE>(value);
}

template <int ActOnTrigInfo::*Field>
void StoreTrigNumber(CModule& module, LONG value) {
  module.ActOnTrigInfo.*Field = value;
}

template <BYTE CModule::*Field>
void StoreModuleByte(CModule& module, LONG value) {
  module.*Field = static_cast<BYTE>(value);
}

// In stored order; the defaults are those of a module without back-up and of a reset.
constexpr BackupField BackupFields[] = {
    {StoreModuleByte<&CModule::GuiSimpleMode>, 0},         {StoreModuleByte<&CModule::BackupSetting2>, 1},
    {StoreModuleByte<&CModule::BackupSetting3>, 0xFF},     {StoreModuleByte<&CModule::BackupSetting4>, 0xFF},
    {StoreTrigByte<&ActOnTrigInfo::TrigSetting1>, 0},      {StoreTrigByte<&ActOnTrigInfo::TrigSetting2>, 0},
    {StoreTrigByte<&ActOnTrigInfo::TrigSetting3>, 1},      {StoreTrigByte<&ActOnTrigInfo::TrigSetting8>, 0},
    {StoreTrigNumber<&ActOnTrigInfo::TrigValue>, 1000000}, {StoreTrigNumber<&ActOnTrigInfo::FileNum>, 10},
    {StoreTrigNumber<&ActOnTrigInfo::FileStartNo>, 0},     {StoreTrigByte<&ActOnTrigInfo::TrigSetting6>, 0},
    {StoreTrigByte<&ActOnTrigInfo::TrigSetting4>, 1},      {StoreTrigByte<&ActOnTrigInfo::TrigSetting5>, 0},
};
constexpr int FirstTrigField = 4;

/// Copies as much of text as the field holds with its terminating zero.
template <std::size_t Size>
void CopyText(char (&field)[Size], const CString& text) noexcept {
  const std::size_t textLength = static_cast<std::size_t>(text.GetLength());
  const std::size_t length = textLength < Size - 1 ? textLength : Size - 1;
  std::memcpy(field, static_cast<LPCTSTR>(text), length);
  field[length] = '\0';
}

CString Decoded(const CString& stored) noexcept {
  CString text;
  ReverseTerm(stored, text);
  return text;
}

void ResetActOnTrig(CModule& module) noexcept {
  for (int position = FirstTrigField; position < static_cast<int>(std::size(BackupFields)); ++position)
    BackupFields[position].Store(module, BackupFields[position].Default);
  module.ActOnTrigInfo.TrigSetting7 = 0;
  CopyText(module.ActOnTrigInfo.SaveDirectory, "c:\\ZIZIDE\\");
  CopyText(module.ActOnTrigInfo.SaveFileName, "");
}

void TakeBackup(CModule& module, const CString& backup) noexcept {
  SettingsValueList entries(backup);
  for (const BackupField& field : BackupFields) {
    LONG value = field.Default;
    entries.NextNumber(value);
    field.Store(module, value);
  }
  CopyText(module.ActOnTrigInfo.SaveDirectory, Decoded(entries.NextValueText()));
  CopyText(module.ActOnTrigInfo.SaveFileName, Decoded(entries.GetRest()));
}

/// Fills values from a stored "Config" list, or with defaults when none is stored; an entry
/// without a number leaves its value as it was.
template <std::size_t Count>
void TakeConfig(bool isStored, const CString& stored, LONG (&values)[Count], const LONG (&defaults)[Count]) noexcept {
  if (!isStored) {
    std::memcpy(values, defaults, sizeof values);
    return;
  }
  SettingsValueList entries(stored);
  for (LONG& value : values)
    entries.NextNumber(value);
}

bool ReadNormalPosition(const StationSections& sections, int slot, RECT& normal) noexcept {
  CString text;
  WINDOWPLACEMENT placement{};
  if (!sections.GetModuleString(slot, "WindowPos", text) || !ScanWindowPlacement(text, placement))
    return false;
  normal = placement.rcNormalPosition;
  return true;
}

bool ReadModuleBackup(const StationSections& sections, int slot, const CModule& module, CString& info) noexcept {
  CString product;
  sections.GetModuleString(slot, "Product", product);
  sections.GetModuleString(slot, "ModuleInf", info);
  return AcceptModuleBackup(product, module, info);
}
} // namespace

void CGUIDatabase::UpdateDataBaseEx(CString path, WORD station, CString& backup) noexcept {
  CStation* owner = FindFiledStation(*this, station);
  if (owner == nullptr)
    return;
  // One image and one search for the station's sections serve every look-up of the pass.
  ProfileImage image;
  SetLastProfileCause(LoadProfileImage(path, image));
  const StationSections sections(image, owner->Name);
  RECT normal{};
  const bool stationPlaced = ReadNormalPosition(sections, StationSections::FirstSlot, normal);
  owner->WindowRect = stationPlaced ? CRect(normal) : CRect();
  CString text;
  TakeConfig(sections.GetStationString("Config", text), text, owner->StationConfig, DefaultStationConfig);
  sections.GetStationString("Database", backup);
  for (WORD slot = 0; slot <= LastBuiltSlot; ++slot) {
    CModule* module = FindFiledModule(*owner, slot);
    if (module == nullptr)
      continue;
    const bool placed = ReadNormalPosition(sections, slot, normal);
    module->WindowRight = placed ? normal.right : NoWindowEdge;
    module->WindowBottom = placed ? normal.bottom : NoWindowEdge;
    CString moduleBackup;
    if (ReadModuleBackup(sections, slot, *module, moduleBackup)) {
      TakeBackup(*module, moduleBackup);
    } else {
      module->GuiSimpleMode = 0;
      module->BackupSetting2 = 1;
      module->BackupSetting3 = module->BackupSetting4 = 0xFF;
      // Station-wide, as documented: modules of lower slots lose the trigger settings just read.
      ResetActOnTrigDatabase(station);
    }
    TakeConfig(sections.GetModuleString(slot, "Config", text), text, module->ModuleConfig, DefaultModuleConfig);
    module->TreeItem = nullptr;
  }
}

void CGUIDatabase::UpdateDataBase(WORD station) noexcept {
  CStation* owner = FindFiledStation(*this, station);
  if (owner == nullptr)
    return;
  owner->WindowRect.SetRectEmpty();
  for (WORD slot = 0; slot <= LastBuiltSlot; ++slot) {
    CModule* module = FindFiledModule(*owner, slot);
    if (module == nullptr)
      continue;
    module->WindowRight = module->WindowBottom = NoWindowEdge;
    ResetActOnTrigDatabase(station);
    module->TreeItem = nullptr;
  }
}

void CGUIDatabase::ResetActOnTrigDatabase(WORD station) noexcept {
  CStation* owner = FindFiledStation(*this, station);
  if (owner == nullptr)
    return;
  for (WORD slot = 0; slot <= LastBuiltSlot; ++slot) {
    if (owner->ModuleExist[slot] == 0)
      continue;
    CModule* module = nullptr;
    if (!owner->ModuleMap.Lookup(slot, module))
      return;
    if (module != nullptr)
      ResetActOnTrig(*module);
  }
}
