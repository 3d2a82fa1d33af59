// A packet interpreter whose every handler records its position, for tests, fuzzing and benchmarks.
#ifndef ZODAVUDAZ_TESTS_SUPPORT_RECORDINGMODULECNTL_H
#define ZODAVUDAZ_TESTS_SUPPORT_RECORDINGMODULECNTL_H

#include <zodavudaz/control/CModuleCntl.h>

#include <array>
#include <cstddef>
#include <vector>

/// Each override records the position the interpreter's class comment gives its handler, so a
/// handler in the wrong slot or reached by the wrong id shows as a wrong number.
class RecordingModuleCntl : public CModuleCntl {
public:
  /// The positions called since the last Clear, in call order (the first Capacity of them).
  std::vector<int> Calls() const { return {Recorded.begin(), Recorded.begin() + Stored()}; }
  /// Every call since the last Clear, also those beyond Capacity.
  std::size_t CallCount = 0;
  /// The current packet as each handler saw it; null before any call.
  const _ModulePacket* SeenPacket = nullptr;
  void Clear() {
    CallCount = 0;
    SeenPacket = nullptr;
  }
  /// Makes packet the one the handlers read, as Interpret does before it calls them.
  void MakeCurrent(_ModulePacket* packet) {
    Packet = packet;
    CmdId = packet->CmdId;
  }

  void ReqOthersGroup() override { Record(1); }
  void RplyOthersGroup() override { Record(2); }
  void RplyWarning() override { Record(3); }
  void RplyModuleInfo() override { Record(4); }
  void RplyError() override { Record(5); }
  void ReqClientStart() override { Record(6); }
  void ReqClientStop() override { Record(7); }
  void ReqClientExit() override { Record(8); }
  void ReqClientModuleConnect() override { Record(9); }
  void ReqWaveData() override { Record(10); }
  void ReqWaveDataPacked() override { Record(11); }
  void ReqWaveDataZoom() override { Record(12); }
  void ReqWaveInfo() override { Record(13); }
  void ReqWaveDataZoomPacked() override { Record(14); }
  void ReqWaveInfoZoom() override { Record(15); }
  void ReqAccessRight() override { Record(16); }
  void ReqLockRight() override { Record(17); }
  void ReqClientClearWave() override { Record(18); }
  void ReqCreateEvent() override { Record(19); }
  void ReqReleaseEvent() override { Record(20); }
  void ReqWavePackedData() override { Record(21); }
  void ReqClientWaveInit() override { Record(22); }
  void ReqClientRegistError() override { Record(23); }
  void ReqClientUpdateDataBase() override { Record(24); }
  void ReqClientUpdateModule() override { Record(25); }
  void ReqClientUpdateScale() override { Record(26); }
  void ReqCreateViewer() override { Record(27); }
  void ReqUpdateViewer() override { Record(28); }
  void ReqNotifyViewer() override { Record(29); }
  void ReqNotifyGuiPanel() override { Record(30); }
  void ReqUpdateMainWindow() override { Record(31); }
  void ReqGuiData() override { Record(32); }
  void ReqGetStationInfo() override { Record(33); }
  void ReqControlSoft() override { Record(34); }
  void ReqSeqStartScan() override { Record(35); }
  void ReqQueryAccessRight() override { Record(36); }
  void ReqQueryLockRight() override { Record(37); }
  void ReqStationName() override { Record(38); }
  void ReqComment() override { Record(39); }
  void ReqViewerParam() override { Record(40); }
  void ReqViewerProperty() override { Record(41); }
  void RplyStart() override { Record(42); }
  void RplyStop() override { Record(43); }
  void RplyMeasure() override { Record(44); }
  void RplyStationEvent() override { Record(45); }
  void RplyExecDefault() override { Record(46); }
  void RplyAccessRight() override { Record(47); }
  void RplyLockRight() override { Record(48); }
  void RplyWaveData() override { Record(49); }
  void RplyModuleInternalInfo() override { Record(50); }
  void RplyRawWaveData() override { Record(51); }
  void RplyZoomWaveData() override { Record(52); }
  void RplyAcqSequence() override { Record(53); }
  void RplyQuerySequence() override { Record(54); }
  void RplyStationName() override { Record(55); }
  void RplyStationComment() override { Record(56); }
  void RplyGetBusInfo() override { Record(57); }
  void RplySetBusInfo() override { Record(58); }
  void RplyWaveInfo() override { Record(59); }
  void RplyUpdateGUI() override { Record(60); }
  void RplyGUIInfo() override { Record(61); }

private:
  static constexpr std::size_t Capacity = 4;
  std::size_t Stored() const { return CallCount < Capacity ? CallCount : Capacity; }
  void Record(int position) {
    if (CallCount < Capacity)
      Recorded[CallCount] = position;
    ++CallCount;
    SeenPacket = Packet;
  }
  std::array<int, Capacity> Recorded{};
};

#endif
