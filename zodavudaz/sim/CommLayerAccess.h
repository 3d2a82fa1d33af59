// The simulated communication library's way into the private fields of the records it fills.
#ifndef ZODAVUDAZ_SIM_COMMLAYERACCESS_H
#define ZODAVUDAZ_SIM_COMMLAYERACCESS_H

#include <zodavudaz/packets/CManager.h>
#include <zodavudaz/packets/CRplySync.h>
#include <zodavudaz/packets/CStationInfo.h>
#include <zodavudaz/packets/CWink.h>
#include <zodavudaz/sim/SimControl.h>

#include <new>

/// Friend of the communication-layer records; only the simulation uses it.
struct CommLayerAccess {
  static void FillStation(CStationInfo& info, const SimStation& station) noexcept {
    info = CStationInfo();
    info.SetStationAddress(station.Address);
    info.SetType(station.Type);
    info.SetState(station.State);
    info.Activity = station.Activity;
    info.SetGroupNo(station.GroupNo);
    info.SetOwner(station.Owner);
    info.SetLock(station.Lock);
    info.SetName(station.Name);
  }

  static CStationInfo* StationTable(CWink& wink) noexcept { return wink.StationTable; }
  static CStationInfo* BackTable(CWink& wink) noexcept { return wink.BackTable; }
  static void SetMaxStationId(CWink& wink, WORD id) noexcept { wink.Counters[2] = id; }

  static DWORD TimeOut(const CRplySync& sync) noexcept { return sync.TimeOut; }
  static int ErrMsgMode(const CRplySync& sync) noexcept { return sync.ErrMsgMode; }

  /// A manager as the communication library starts it: initialised, English, 40 stations.
  static void RestartManager(CManager& manager) noexcept {
    manager.~CManager();
    new (&manager) CManager();
    manager.ModulePacketBodyMaxSize = 0x8000;
    manager.MaxStationNum = 40;
    manager.ModPacketVersion = 1;
    manager.InitOk = 1;
    manager.WindowsNT = 1;
    manager.WaveBufPoint = 2048;
    manager.Language = 9;
  }
  static void SetLanguage(CManager& manager, DWORD language) noexcept { manager.Language = language; }
  static void SetMultiClient(CManager& manager, BOOL multiClient) noexcept { manager.MultiClient = multiClient; }
};

#endif
