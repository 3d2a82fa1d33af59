// The module packet interpreter: a received packet turned into a call of one named handler.
#ifndef ZODAVUDAZ_CONTROL_CMODULECNTL_H
#define ZODAVUDAZ_CONTROL_CMODULECNTL_H

#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// Base of an application's packet interpreter. The application overrides the handlers it cares
/// about and feeds each received packet to Interpret; a handler reads the packet it is called for
/// through Packet. Dispatch has two levels: the command id byte selects a group and flags, the
/// control id (control word & 0x0FFF) selects the handler within a group. A reply carries its
/// command group | 0x80 (0x88 for reply exec): a packet with 0x08 alone reaches no handler.
///
/// The virtual slots are an interface that derived classes are compiled against: Interpret, then
/// the 61 handlers in the order declared below, each comment giving its position (1 to 61) and
/// what reaches it. Positions 4, 50, 51 and 60 are never called by the dispatch. Positions 19 and
/// 20 belong to the request exec control words 0x8000 and 0x8001, which a 12-bit control id never
/// equals, so they stay unreachable too. For the same reason there is no virtual destructor: it
/// would take a slot; an interpreter is not destroyed through a base pointer.
class ZODAVUDAZ_EXPORT CModuleCntl {
public:
  /// No packet yet: GetPacketModuleId and GetPacketCntlId answer 0.
  CModuleCntl() noexcept = default;
  CModuleCntl(const CModuleCntl&) noexcept = default;
  CModuleCntl& operator=(const CModuleCntl&) noexcept = default;

  /// Makes packet the current one and calls its handlers; a null packet is ignored and leaves
  /// the current one. The group follows packet's command id as it is on entry; the control id is
  /// read when the group is dispatched, after RplyWarning, from Packet as that handler left it
  /// (rewritten, replaced, or null: then the group dispatchers call nothing). An exception thrown
  /// by a handler ends the packet's dispatch here.
  virtual void Interpret(_ModulePacket* packet);

  /// 1: a request of a group without a dispatcher (1 to 6, 13 to 15).
  virtual void ReqOthersGroup() {}
  /// 2: a reply of a group without a dispatcher (0 to 6, 13 to 15).
  virtual void RplyOthersGroup() {}
  /// 3: any packet with flag 0x10, before its group dispatch.
  virtual void RplyWarning() {}
  /// 4: not called by the dispatch.
  virtual void RplyModuleInfo() {}
  /// 5: any packet with flag 0x20, instead of its group dispatch.
  virtual void RplyError() {}
  /// 6: request exec 0x112.
  virtual void ReqClientStart() {}
  /// 7: request exec 0x116.
  virtual void ReqClientStop() {}
  /// 8: request exec 0x117.
  virtual void ReqClientExit() {}
  /// 9: request exec 0x118.
  virtual void ReqClientModuleConnect() {}
  /// 10: request exec 0x160 and request query 0x40C (acquired data).
  virtual void ReqWaveData() {}
  /// 11: request exec 0x161.
  virtual void ReqWaveDataPacked() {}
  /// 12: request exec 0x1A0.
  virtual void ReqWaveDataZoom() {}
  /// 13: request exec 0x1A1 and request param 0x40C (wave information).
  virtual void ReqWaveInfo() {}
  /// 14: request exec 0x1A2.
  virtual void ReqWaveDataZoomPacked() {}
  /// 15: request exec 0x1A3.
  virtual void ReqWaveInfoZoom() {}
  /// 16: request exec 0x1A4.
  virtual void ReqAccessRight() {}
  /// 17: request exec 0x1AA.
  virtual void ReqLockRight() {}
  /// 18: request exec 0x1A5.
  virtual void ReqClientClearWave() {}
  /// 19: request exec control word 0x8000; unreachable.
  virtual void ReqCreateEvent() {}
  /// 20: request exec control word 0x8001; unreachable.
  virtual void ReqReleaseEvent() {}
  /// 21: request exec 0x163.
  virtual void ReqWavePackedData() {}
  /// 22: request exec 0x1A6.
  virtual void ReqClientWaveInit() {}
  /// 23: request exec 0x119.
  virtual void ReqClientRegistError() {}
  /// 24: request exec 0x114.
  virtual void ReqClientUpdateDataBase() {}
  /// 25: request exec 0x164.
  virtual void ReqClientUpdateModule() {}
  /// 26: request exec 0x165.
  virtual void ReqClientUpdateScale() {}
  /// 27: request exec 0x1A7.
  virtual void ReqCreateViewer() {}
  /// 28: request exec 0x1A8.
  virtual void ReqUpdateViewer() {}
  /// 29: request exec 0x1A9.
  virtual void ReqNotifyViewer() {}
  /// 30: request exec 0x1AB.
  virtual void ReqNotifyGuiPanel() {}
  /// 31: request exec 0x1AC.
  virtual void ReqUpdateMainWindow() {}
  /// 32: request exec 0x1AD.
  virtual void ReqGuiData() {}
  /// 33: request exec 0x1AE.
  virtual void ReqGetStationInfo() {}
  /// 34: request exec 0x1AF.
  virtual void ReqControlSoft() {}
  /// 35: request exec 0x1B0.
  virtual void ReqSeqStartScan() {}
  /// 36: request query 0x1A4.
  virtual void ReqQueryAccessRight() {}
  /// 37: request query 0x1AA.
  virtual void ReqQueryLockRight() {}
  /// 38: request query 0x802.
  virtual void ReqStationName() {}
  /// 39: request query 0x803.
  virtual void ReqComment() {}
  /// 40: request query 0x420.
  virtual void ReqViewerParam() {}
  /// 41: request query 0x421.
  virtual void ReqViewerProperty() {}
  /// 42: reply exec 0x400.
  virtual void RplyStart() {}
  /// 43: reply exec 0x401.
  virtual void RplyStop() {}
  /// 44: reply exec 0x403.
  virtual void RplyMeasure() {}
  /// 45: an event (group 7), request or reply.
  virtual void RplyStationEvent() {}
  /// 46: reply exec, every control id without a handler of its own.
  virtual void RplyExecDefault() {}
  /// 47: reply query 0x1A4.
  virtual void RplyAccessRight() {}
  /// 48: reply query 0x1AA.
  virtual void RplyLockRight() {}
  /// 49: reply query 0x40C (acquired data).
  virtual void RplyWaveData() {}
  /// 50: not called by the dispatch.
  virtual void RplyModuleInternalInfo() {}
  /// 51: not called by the dispatch.
  virtual void RplyRawWaveData() {}
  /// 52: reply query 0x40D.
  virtual void RplyZoomWaveData() {}
  /// 53: reply query 0x403.
  virtual void RplyAcqSequence() {}
  /// 54: reply query 0x404.
  virtual void RplyQuerySequence() {}
  /// 55: reply query 0x802.
  virtual void RplyStationName() {}
  /// 56: reply query 0x803.
  virtual void RplyStationComment() {}
  /// 57: reply query 0x804.
  virtual void RplyGetBusInfo() {}
  /// 58: reply query 0x805.
  virtual void RplySetBusInfo() {}
  /// 59: reply param 0x40C (wave information).
  virtual void RplyWaveInfo() {}
  /// 60: not called by the dispatch.
  virtual void RplyUpdateGUI() {}
  /// 61: reply GUI, every control id.
  virtual void RplyGUIInfo() {}

  /// The group dispatchers: each calls the handler that the current packet's control id selects
  /// in its group, or none. Without a current packet they call nothing.
  void ReqExecGroup();
  void ReqQueryGroup();
  void ReqParamGroup();
  /// Does nothing: GUI requests have no handlers.
  void ReqGUIGroup();
  /// Does nothing: help requests have no handlers.
  void ReqHelpGroup();
  /// Unlisted ids go to RplyExecDefault.
  void RplyExecGroup();
  void RplyQueryGroup();
  void RplyParamGroup();
  /// Every id goes to RplyGUIInfo.
  void RplyGUIGroup();
  /// Does nothing: help replies have no handlers.
  void RplyHelpGroup();

  /// The current packet's module id byte (0xFF stays 0xFF); 0 before the first packet.
  WORD GetPacketModuleId() const noexcept;
  /// The current packet's whole control word, offset bits included; 0 before the first packet.
  WORD GetPacketCntlId() const noexcept;

protected:
  /// The packet being interpreted, or the last one; null before the first.
  _ModulePacket* Packet = nullptr;
  /// Its command id byte, widened.
  WORD CmdId = 0;
};
// Derived classes depend on where the members sit: the slot table pointer, Packet, CmdId.
static_assert(sizeof(CModuleCntl) == PerBuild(12, 24));

/// Most handlers one packet reaches: the own-handler-first one, then one more.
constexpr int MaxHandlersPerPacket = 2;

/// The names of the handlers that CModuleCntl::Interpret calls for packet, in call order; their
/// count (0 for a null packet or one that reaches no handler).
ZODAVUDAZ_EXPORT int GetModuleCntlHandlerNames(const _ModulePacket* packet,
                                               LPCTSTR names[MaxHandlersPerPacket]) noexcept;

#endif
