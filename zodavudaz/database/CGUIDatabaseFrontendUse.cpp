// The front-end usage registry of CGUIDatabase: which front ends use which modules, stopping a
// module's viewer, ending front ends and extra modules, and taking and releasing stations.
#include <zodavudaz/database/CGUIDatabase.h>

#include <zodavudaz/database/PostedTrigInfo.h>
#include <zodavudaz/packets/CZosManager.h>
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/packets/siblings/SeqMsgParam.h>
#include <zodavudaz/packets/siblings/SequenceLibrary.h>

#include <memory>
#include <new>

namespace {
constexpr WORD FrontEndStation = 0;
constexpr WORD NoFrontEnd = 0xFFFF;
constexpr WORD FreeNumber = 0xFFFF;
constexpr WORD CntlSeqInfo = 0x400;
constexpr LONG AccessAllowed = 10;
constexpr LONG ReleaseAllowed = 9;

/// The key of a used module: an OR kept to 16 bits, so that some pairs share a key.
WORD UsedModuleKey(WORD station, WORD slot) noexcept { return static_cast<WORD>((station << 4) | slot); }

/// The extra-module number in bits 4 to 7 of a module id.
WORD ExtraNumberOf(WORD slot) noexcept { return static_cast<WORD>((slot >> 4) & 0x0F); }

/// Walks the front-end entries of station 0 and, in each, the modules it uses; visit(entry id,
/// entry) is asked for every entry that uses (station, slot) until it answers true.
template <typename VisitT>
bool FindUser(const CGUIDatabase& database, WORD station, WORD slot, VisitT visit) noexcept {
  CStation* frontEnds = nullptr;
  if (!database.GetStationInf(FrontEndStation, &frontEnds))
    return false;
  for (POSITION entries = frontEnds->ModuleMap.GetStartPosition(); entries != nullptr;) {
    WORD entryId = 0;
    CModule* entry = nullptr;
    frontEnds->ModuleMap.GetNextAssoc(entries, entryId, entry);
    for (POSITION used = entry == nullptr ? nullptr : entry->UsedModuleMap.GetStartPosition(); used != nullptr;) {
      WORD key = 0;
      UsedModule* record = nullptr;
      entry->UsedModuleMap.GetNextAssoc(used, key, record);
      if (record != nullptr && record->StationId == station && record->ModuleId == slot && visit(entryId))
        return true;
    }
  }
  return false;
}

/// The stop flag of a stop-viewer message for sequence mode; mode 3 and above leave it 0.
DWORD StopFlagOf(WORD mode, const CModule& module) noexcept {
  if (mode == 0)
    return 1;
  if (mode == 2)
    return module.BackupSetting4 == 0 ? 1 : 0;
  return 0;
}

/// Releases the scaling table of the module filed under slot of station, stops its viewer when
/// asked, ends its frontend and unfiles it; the record is the caller's from then on. Null when
/// the station or module is not filed.
CModule* EndAndUnfile(CGUIDatabase& database, WORD station, WORD slot, bool stopViewer) noexcept {
  CStation* owner = nullptr;
  CModule* module = nullptr;
  if (!database.GetStationInf(station, &owner) || !database.GetModuleInf(station, slot, &module))
    return nullptr;
  module->ReleaseScaleTable();
  if (stopViewer)
    database.StopViewer(station, slot);
  module->EndFrontend();
  owner->ModuleMap.RemoveKey(slot);
  return module;
}

int HasAccessState(const CGUIDatabase& database, WORD station, LONG state) noexcept {
  CStation* found = nullptr;
  return database.GetStationInf(station, &found) && found->AccessState == state && GetMgr()->IsMultiClient() ? 1 : 0;
}
} // namespace

void CGUIDatabase::RegistFrontendUsedModule(WORD frontend, WORD station, WORD slot) noexcept {
  CModule* entry = nullptr;
  if (!GetModuleInf(FrontEndStation, frontend, &entry))
    return;
  UsedModule* record = new (std::nothrow) UsedModule{station, slot};
  if (record == nullptr)
    return;
  const WORD key = UsedModuleKey(station, slot);
  UsedModule* replaced = nullptr;
  const bool hadRecord = entry->UsedModuleMap.Lookup(key, replaced);
  if (!entry->UsedModuleMap.SetAt(key, record)) {
    delete record;
    return;
  }
  // A module registered under the same key before is replaced, not kept alongside.
  if (hadRecord)
    delete replaced;
}

int CGUIDatabase::IsUseFrontEnd(WORD station, WORD slot) const noexcept {
  return FindUser(*this, station, slot, [](WORD) { return true; }) ? 1 : 0;
}

int CGUIDatabase::IsUseFrontEnd(WORD frontend, WORD station, WORD slot) const noexcept {
  return FindUser(*this, station, slot, [&](WORD entryId) { return entryId == frontend; }) ? 1 : 0;
}

int CGUIDatabase::IsUseFrontEnd(WORD station, WORD slot, WORD* frontend) const noexcept {
  *frontend = NoFrontEnd;
  return FindUser(*this, station, slot,
                  [&](WORD entryId) {
                    *frontend = entryId;
                    return true;
                  })
             ? 1
             : 0;
}

int CGUIDatabase::IsUseFrontEndAndRun(WORD station, WORD slot) const noexcept {
  CZosManager* sequences = ZosGetMgr();
  return FindUser(*this, station, slot,
                  // Front-end entries are sequences of station 0, numbered by entry.
                  // NOLINTNEXTLINE(readability-suspicious-call-argument)
                  [&](WORD entryId) { return sequences->IsSeqRun(FrontEndStation, entryId) != 0; })
             ? 1
             : 0;
}

void CGUIDatabase::StopViewer(WORD station, WORD slot) noexcept {
  CModule* module = nullptr;
  WORD mode = 0;
  if (!GetModuleInf(station, slot, &module) || GetSeqMode(station, slot, &mode) != 0)
    return;
  std::unique_ptr<_SeqMsgParam> record(new (std::nothrow) _SeqMsgParam());
  if (record == nullptr)
    return;
  record->MsgKind = 0;
  record->CntlId = CntlSeqInfo;
  record->StationId = station;
  record->ModuleId = slot;
  record->ConnectNum = GetConnectNum(station, slot);
  record->StopFlag = StopFlagOf(mode, *module);
  // The module record may be destroyed before the sequence thread reads the message, so the
  // message refers to a kept copy of the module's block that outlives it.
  if (PostWithTrigInfo(station, slot, *module, SeqMsgStopViewer, record.get()))
    static_cast<void>(record.release());
}

void CGUIDatabase::ExitFrontEnd(WORD station, WORD slot) noexcept {
  if (EndAndUnfile(*this, station, slot, false) == nullptr)
    return;
  // The applications size ExtraFrontendNo; a number beyond it has no entry to free.
  const WORD number = ExtraNumberOf(slot);
  CModule* base = nullptr;
  if (number != 0 && GetModuleInf(station, slot & 0x0F, &base) && number <= base->ExtraFrontendNo.GetSize())
    base->ExtraFrontendNo[number - 1] = FreeNumber;
}

void CGUIDatabase::ExitMultiModule(WORD station, WORD slot) noexcept {
  CModule* module = EndAndUnfile(*this, station, slot, station == FrontEndStation);
  if (module == nullptr)
    return;
  module->ReleaseUsedModules();
  ClearFrontendNo(ExtraNumberOf(slot));
}

int CGUIDatabase::IsAccessEnable(WORD station) const noexcept { return HasAccessState(*this, station, AccessAllowed); }

int CGUIDatabase::IsReleaseEnable(WORD station) const noexcept {
  return HasAccessState(*this, station, ReleaseAllowed);
}
