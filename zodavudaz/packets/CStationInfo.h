// The communication layer's record of one station (a measurement mainframe or a PC).
#ifndef ZODAVUDAZ_PACKETS_CSTATIONINFO_H
#define ZODAVUDAZ_PACKETS_CSTATIONINFO_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/Export.h>

#include <cstddef>

/// Filled by the communication library through the private setters; read here through inline
/// members. Copies are deep (the strings included). A new record has no address, owner or lock
/// (-1), no handles (0xFFFFFFFF) and every other field 0.
class ZODAVUDAZ_EXPORT CStationInfo {
public:
  CStationInfo() noexcept = default;
  CStationInfo(const CStationInfo&) noexcept = default;
  CStationInfo& operator=(const CStationInfo&) noexcept = default;

  /// Network address; -1 when the station has none.
  LONG GetStationAddress() const noexcept { return StationAddress; }
  BOOL IsExist() const noexcept { return StationAddress != -1; }
  BOOL ValidAddr() const noexcept { return StationAddress != -1; }
  /// The network address as the communication library forms it.
  LONG GetNetAddress() noexcept;

  LONG GetOwner() const noexcept { return Owner; }
  BOOL IsOwner() const noexcept { return Owner != -1; }
  LONG GetLock() const noexcept { return Lock; }
  BOOL IsLock() const noexcept { return Lock != -1; }
  DWORD GetOwnerWaitHandle() const noexcept { return OwnerWaitHandle; }
  BOOL IsExplicitOwner() const noexcept { return OwnerType == 1; }

  /// Reserves a power-off of the station, and withdraws the reservation.
  void RsrvPowerOffState() noexcept { PowerOffReservation = 1; }
  void ResetRsrvPowerOffState() noexcept { PowerOffReservation = 0; }
  BOOL ReservedPowerOff() const noexcept { return PowerOffReservation != 0; }

  WORD GetState() const noexcept { return State; }
  WORD GetActivity() const noexcept { return Activity; }
  BOOL IsActive() const noexcept { return Activity == 1; }
  WORD GetType() const noexcept { return Type; }
  /// Types 0 and 1 are stations, 2 to 4 PCs.
  BOOL IsStation() const noexcept { return Type <= 1; }
  BOOL IsPC() const noexcept { return Type >= 2 && Type <= 4; }
  WORD GetGroupNo() const noexcept { return GroupNo; }

  DWORD GetEventHandle() const noexcept { return EventHandle; }
  void SetEventHandle(DWORD handle) noexcept { EventHandle = handle; }
  BOOL ValidEventHandle() const noexcept { return EventHandle != InvalidHandle; }

  const CString& GetName() const noexcept { return Name; }
  void SetName(const CString& name) noexcept { Name = name; }
  void SetName(const char* name) noexcept { Name = name; }
  CString& GetComment() noexcept { return Comment; }
  void SetComment(const CString& comment) noexcept { Comment = comment; }

private:
  friend struct CommLayerAccess;

  static constexpr DWORD InvalidHandle = 0xFFFFFFFF;

  void SetStationAddress(LONG address) noexcept { StationAddress = address; }
  void SetState(WORD state) noexcept { State = static_cast<BYTE>(state); }
  void SetType(WORD type) noexcept { Type = static_cast<BYTE>(type); }
  void SetGroupNo(WORD groupNo) noexcept { GroupNo = static_cast<BYTE>(groupNo); }
  void SetOwnerType(WORD ownerType) noexcept { OwnerType = static_cast<BYTE>(ownerType); }
  void SetOwner(LONG owner) noexcept { Owner = owner; }
  void ReleaseOwner() noexcept { Owner = -1; }
  void SetOwnerWaitHandle(DWORD handle) noexcept { OwnerWaitHandle = handle; }
  void SetLock(LONG lock) noexcept { Lock = lock; }
  void ReleaseLock() noexcept { Lock = -1; }
  void SetFlag() noexcept { Flag = 1; }
  void ResetFlag() noexcept { Flag = 0; }
  BOOL OnFlag() const noexcept { return Flag != 0; }

  // Compile-time only: the communication library shares this layout.
  static void CheckLayout() noexcept {
    static_assert(sizeof(CStationInfo) == PerBuild(36, 48));
    static_assert(offsetof(CStationInfo, Owner) == 4);
    static_assert(offsetof(CStationInfo, Lock) == 8);
    static_assert(offsetof(CStationInfo, OwnerWaitHandle) == 12);
    static_assert(offsetof(CStationInfo, OwnerType) == 16);
    static_assert(offsetof(CStationInfo, Flag) == 17);
    static_assert(offsetof(CStationInfo, PowerOffReservation) == 18);
    static_assert(offsetof(CStationInfo, State) == 19);
    static_assert(offsetof(CStationInfo, Activity) == 20);
    static_assert(offsetof(CStationInfo, Type) == 21);
    static_assert(offsetof(CStationInfo, GroupNo) == 22);
    static_assert(offsetof(CStationInfo, EventHandle) == 24);
    static_assert(offsetof(CStationInfo, Name) == PerBuild(28, 32));
    static_assert(offsetof(CStationInfo, Comment) == PerBuild(32, 40));
  }

  LONG StationAddress = -1;
  LONG Owner = -1;
  LONG Lock = -1;
  DWORD OwnerWaitHandle = InvalidHandle;
  BYTE OwnerType = 0;
  BYTE Flag = 0;
  BYTE PowerOffReservation = 0;
  BYTE State = 0;
  BYTE Activity = 0;
  BYTE Type = 0;
  BYTE GroupNo = 0;
  DWORD EventHandle = InvalidHandle;
  CString Name;
  CString Comment;
};

#endif
