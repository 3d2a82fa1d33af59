// Set-up and inspection of the simulated communication, sequence and frontend libraries.
//
// libzodavudaz calls those three libraries and does not contain them. On a machine without the
// system's own, an application links libzodavudaz-sim after libzodavudaz (-lzodavudaz
// -lzodavudaz-sim, pkg-config zodavudaz, or CMake's ZoDavudaz::Program from
// find_package(ZoDavudaz COMPONENTS sim)) and describes its stations and modules with the calls
// below; tests and the demo do the same.
#ifndef ZODAVUDAZ_SIM_SIMCONTROL_H
#define ZODAVUDAZ_SIM_SIMCONTROL_H

#include <zodavudaz/database/ActOnTrigInfo.h>
#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CRplySync.h>
#include <zodavudaz/packets/MessageWords.h>
#include <zodavudaz/packets/WAVEINF.h>
#include <zodavudaz/packets/siblings/CFeModule.h>
#include <zodavudaz/packets/siblings/SeqMsgParam.h>
#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>
#include <zodavudaz/sim/SimWave.h>

#include <vector>

// The simulation is single-threaded: a test drives it from one thread. A simulated module is named
// by its station id and module id; it outlives the frontend objects made on it until SimReset.

/// Result codes of the simulated libraries.
constexpr WORD SimNoModule = 0x7001;      ///< no simulated module at that station and slot
constexpr WORD SimBadRequest = 0x7002;    ///< a request the module cannot read (short input, no data)
constexpr WORD SimFrontendEnded = 0x7003; ///< a query through a frontend after its Destroy()
constexpr WORD SimNoMember = 0x7004;      ///< a control offset beyond the module's connected group
constexpr WORD SimOutOfMemory = 0x7005;
constexpr WORD SimPostRefused = 0x7006; ///< PostSeqThread or PostGUIThread told to refuse
constexpr WORD SimUnknownStation = 0x7007;

/// Wildcards of SimFault.
constexpr WORD SimAny = 0xFFFF;
constexpr DWORD SimAll = 0xFFFFFFFF;

/// Ends every frontend object still alive, forgets modules, stations, posted messages, logs and
/// switches, and puts the manager and the sequence manager back to their start values.
ZODAVUDAZ_EXPORT void SimReset() noexcept;

// ---- Frontend library -------------------------------------------------------------------------

/// A simulated module. Its connected group has Members modules that all answer through it (the
/// control offset of a request picks the member); each has Channels channels.
struct SimModuleConfig {
  WORD Station = 1;
  WORD ModuleId = 1;
  WORD Channels = 4;
  WORD Members = 1;
  /// Type code of acquired samples and of the WAVEINF values.
  BYTE DataType = 0x10;
  DWORD PointNum = 1000;
  /// Control id (query group) of the current data, and the type code of its values.
  WORD CurrentCntlId = 0x40D;
  BYTE CurrentType = 0x32;
  /// The waveform of each channel's acquired data; a channel beyond the list gives Steps.
  std::vector<SimWave> Waves = {};
};

/// A new frontend object on the module (config.Station, config.ModuleId), made with config when
/// the module does not exist yet. Ended by Destroy() and delete, or by SimReset.
///
/// What the module answers, by command group and control id (the control offset is the member):
/// - a reply set with SimSetReply for that group and control id, before anything else;
/// - param group 9, 0x40C: WAVEINF records (type 0x00, count in bytes) of members offset to
///   Members - 1, Channels each, or the records set with SimSetWaveInf; input two i32 (first,
///   second): first >= 0 keeps the records of that channel (WordA) only;
/// - query group 10, 0x40C: acquired data of type DataType; input six i32: channel, -, start
///   point, -, points (-1: up to PointNum), direction (-1: the points end at the start point,
///   otherwise they begin there); two elements per point, SimWaveValue minimum and maximum of the
///   channel's waveform (SimAcqValue for Steps); points
///   beyond the acquisition are left out, a channel beyond the module's is SimBadRequest;
/// - query group 10, CurrentCntlId: Channels values of CurrentType, SimCurrentValue;
/// - GUI group 11, 0x400: the sequence information block: 32-byte header (u16 mode at 24, u32 table
///   length at 28), then the table (SimSetSeqInfo);
/// - query group 10 and param group 9, 0x40E: the help text and its zero (SimSetHelp);
/// - exec group 0: no data back; the input becomes the setting that groups 9 and 10 answer for that
///   control id;
/// - anything else: four u16 (type 0x10): group, control word, module id, station id.
ZODAVUDAZ_EXPORT CFeModule* SimCreateFrontend(const SimModuleConfig& config) noexcept;

/// Replaces what the module answers for group and control id (offset bits ignored).
ZODAVUDAZ_EXPORT void SimSetReply(WORD station, WORD module, WORD group, WORD cntlId, WORD type, const void* data,
                                  DWORD bytes) noexcept;
ZODAVUDAZ_EXPORT void SimSetHelp(WORD station, WORD module, const char* text) noexcept;
ZODAVUDAZ_EXPORT void SimSetSeqInfo(WORD station, WORD module, WORD mode, const void* table, DWORD bytes) noexcept;
ZODAVUDAZ_EXPORT void SimSetWaveInf(WORD station, WORD module, const std::vector<WAVEINF>& records) noexcept;

/// How the module bends the answers to the requests a fault matches. The first fault that matches
/// a request applies to it; Times counts how many requests it still applies to (-1: all).
struct SimFault {
  WORD Group = SimAny;
  /// Control id (12 bits) to match.
  WORD CntlId = SimAny;
  int Times = -1;
  /// Nonzero: the request fails with this code and no output is written.
  WORD Result = 0;
  /// The reply carries this many bytes more than the module meant to send (filled 0xA5).
  DWORD ExtraBytes = 0;
  /// The reply is cut to this many bytes: a short reply whose inner lengths claim more.
  DWORD KeepBytes = SimAll;
  /// The reply carries this type code, its element count unchanged: a malformed reply.
  WORD Type = SimAny;
  /// The reply's element count says this, whatever it holds and whatever the caller's capacity;
  /// data handed out by pointer comes with the count of the whole elements it holds.
  DWORD ClaimCount = SimAll;
  /// The reply comes in packets of this many data bytes (at least 1): the reply packet handed out
  /// is the first, while the data handed out by pointer or copied is the whole reply, joined.
  DWORD PacketBytes = SimAll;
};
ZODAVUDAZ_EXPORT void SimAddFault(WORD station, WORD module, const SimFault& fault) noexcept;
ZODAVUDAZ_EXPORT void SimClearFaults(WORD station, WORD module) noexcept;

/// One request the module received, through a frontend or the communication library.
struct SimQuery {
  WORD Group = 0;
  WORD Cntl = 0;
  WORD InType = 0;
  DWORD InCount = 0;
  std::vector<BYTE> In;
  /// The caller's capacity for a reply copied into its buffer; SimAll for other requests.
  DWORD Capacity = SimAll;
  CRplySync* Sync = nullptr;
  /// The reply record's time-out and error-message mode at the time of the request.
  DWORD SyncTimeOut = 0;
  int SyncErrMsgMode = 0;
  WORD Option = 0;
  bool ViaFrontend = true;
};
/// Every request since SimReset (or since the module was made), oldest first.
ZODAVUDAZ_EXPORT std::vector<SimQuery> SimQueries(WORD station, WORD module) noexcept;
/// Destroy() calls on frontends of the module, and its frontend objects not yet destroyed.
ZODAVUDAZ_EXPORT int SimDestroyCalls(WORD station, WORD module) noexcept;
/// Where the last Destroy() on a frontend of the module stands among all Destroy() calls since
/// SimReset, counted from 1; 0 when there was none.
ZODAVUDAZ_EXPORT int SimDestroyOrder(WORD station, WORD module) noexcept;
ZODAVUDAZ_EXPORT int SimLiveFrontends(WORD station, WORD module) noexcept;
/// The reply packet the module holds for the caller: valid until its next request; null if none.
ZODAVUDAZ_EXPORT const _ModulePacket* SimHeldReply(WORD station, WORD module) noexcept;

/// The generated contents: an acquired point's minimum or maximum (whole numbers 0 to 200), a
/// current value, and a generated WAVEINF record.
ZODAVUDAZ_EXPORT double SimAcqValue(WORD member, WORD channel, DWORD point, bool maximum) noexcept;
ZODAVUDAZ_EXPORT double SimCurrentValue(WORD member, WORD channel) noexcept;
ZODAVUDAZ_EXPORT WAVEINF SimGeneratedWaveInf(const SimModuleConfig& config, WORD member, WORD channel) noexcept;

// ---- Communication library --------------------------------------------------------------------

/// A station of the link table (ids 0 to 39; entry 40 is the broadcast entry). Its network address
/// is (GroupNo << 16) | (Address & 0xFFFF), -1 without an address.
struct SimStation {
  WORD Id = 1;
  LONG Address = -1;
  BYTE Type = 0;
  BYTE State = 0;
  BYTE Activity = 1;
  BYTE GroupNo = 0;
  LONG Owner = -1;
  LONG Lock = -1;
  const char* Name = "";
};
ZODAVUDAZ_EXPORT void SimSetStation(const SimStation& station) noexcept;

ZODAVUDAZ_EXPORT void SimSetLanguage(DWORD language) noexcept;
ZODAVUDAZ_EXPORT void SimSetMultiClient(BOOL multiClient) noexcept;
/// While set, PostSeqThread and PostGUIThread post nothing and answer SimPostRefused.
ZODAVUDAZ_EXPORT void SimRefusePosts(bool refuse) noexcept;

/// A message one of the manager's threads handled. The sequence thread treats messages 0x437 and
/// 0x44A as the start/stop and stop-viewer messages: it reads the ActOnTrigInfo block (and the
/// flags byte after it) at wParam and the _SeqMsgParam at lParam, then deletes the record.
struct SimMessage {
  DWORD Message = 0;
  MsgWParam WParam = 0;
  MsgLParam LParam = 0;
  bool HasRecord = false;
  _SeqMsgParam Record;
  bool HasTrigInfo = false;
  ActOnTrigInfo TrigInfo = {};
  BYTE ModuleFlags = 0;
};
/// Lets the thread handle what was posted to it, then lists every message it handled since
/// SimReset. A post is only read when the thread handles it, as a real thread does later.
ZODAVUDAZ_EXPORT std::vector<SimMessage> SimSeqThreadMessages() noexcept;
ZODAVUDAZ_EXPORT std::vector<SimMessage> SimGuiThreadMessages() noexcept;

/// The reply record's fields that have no getter.
ZODAVUDAZ_EXPORT DWORD SimTimeOutOf(const CRplySync& sync) noexcept;
ZODAVUDAZ_EXPORT int SimErrMsgModeOf(const CRplySync& sync) noexcept;

struct SimErrorBox {
  DWORD MessageNo;
  DWORD Zero;
};
/// Every ErrorBox1 call since SimReset.
ZODAVUDAZ_EXPORT std::vector<SimErrorBox> SimErrorBoxes() noexcept;

/// MoteReleaseEvent of eventId answers code from now on.
ZODAVUDAZ_EXPORT void SimFailReleaseEvent(DWORD eventId, WORD code) noexcept;
struct SimReleasedEvent {
  WORD Station;
  WORD Slot;
  DWORD EventId;
  WORD Result;
};
/// Every MoteReleaseEvent call since SimReset.
ZODAVUDAZ_EXPORT std::vector<SimReleasedEvent> SimReleasedEvents() noexcept;

// ---- Sequence library -------------------------------------------------------------------------

/// IsSeqRun(station, frontend) answers runs.
ZODAVUDAZ_EXPORT void SimSetSeqRun(WORD station, WORD frontend, bool runs) noexcept;
/// GetSeqMsgParam(station, slot, record) copies answer into the record and returns result; without
/// this it fills StationId, ModuleId, CntlId 0x400 and ConnectNum 1 and returns 0.
ZODAVUDAZ_EXPORT void SimSetSeqMsgParam(WORD station, WORD slot, WORD result, const _SeqMsgParam& answer) noexcept;

#endif
