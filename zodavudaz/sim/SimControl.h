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

#include <cstdint>
#include <vector>

// A test drives the simulation from one thread; only live acquisitions (below) add the
// simulation's own thread. A simulated module is named by its station id and module id; it
// outlives the frontend objects made on it until SimReset.

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

/// How a module acquires: Still answers the same acquisition for ever; while its sequence runs,
/// Continuous completes one acquisition every Period and Single one, Period after the start, and
/// then stops the sequence.
enum class SimAcqMode { Still, Continuous, Single };

/// The range of SimModuleConfig::Period in seconds.
constexpr double SimShortestPeriod = 0.001;
constexpr double SimLongestPeriod = 86400;

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
  SimAcqMode Acquisition = SimAcqMode::Still;
  /// Seconds from one acquisition's completion to the next; 0: PointNum x SimSampleInterval,
  /// kept within SimShortestPeriod to SimLongestPeriod.
  double Period = 0;
  /// Moves the values of noise and steps; the same seed gives the same values on every run.
  DWORD Seed = 0;
};

/// A new frontend object on the module (config.Station, config.ModuleId), made with config when
/// the module does not exist yet. Ended by Destroy() and delete, or by SimReset.
///
/// What the module answers, by command group and control id (the control offset is the member):
/// - a reply set with SimSetReply for that group and control id, before anything else;
/// - param group 9, 0x40C: WAVEINF records (type 0x00, count in bytes) of members offset to
///   Members - 1, Channels each, or the records set with SimSetWaveInf; input two i32 (first,
///   second): first >= 0 keeps the records of that channel (WordA) only; a live module's records
///   carry the latest acquisition's number in DwordI (0 before its first) and its completion
///   time in TimeStamp;
/// - query group 10, 0x40C: acquired data of type DataType; input six i32: channel, -, start
///   point, -, points (-1: up to PointNum), direction (-1: the points end at the start point,
///   otherwise they begin there); two elements per point, SimWaveValue minimum and maximum of the
///   channel's waveform at the latest completed acquisition's signal points (SimAcqValue for
///   Steps of a still module); points beyond the acquisition are left out, a channel beyond the
///   module's is SimBadRequest;
/// - query group 10, CurrentCntlId: Channels values of CurrentType, SimCurrentValue; for a live
///   module the waveform at the signal point that the present moment maps to;
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

/// IsSeqRun(station, id) answers runs from now on, whatever the buttons started or stopped.
ZODAVUDAZ_EXPORT void SimSetSeqRun(WORD station, WORD frontend, bool runs) noexcept;
/// GetSeqMsgParam(station, slot, record) copies answer into the record and returns result; without
/// this it fills StationId, ModuleId, CntlId 0x400 and ConnectNum 1 and returns 0.
ZODAVUDAZ_EXPORT void SimSetSeqMsgParam(WORD station, WORD slot, WORD result, const _SeqMsgParam& answer) noexcept;

// ---- Live acquisitions ------------------------------------------------------------------------
//
// One sequence per (station, module id): a start button's record (message 0x437, StartFlag 1)
// starts the sequence of its StationId and ModuleId, a stop's stops it, when the simulation's
// thread handles the message. While any sequence runs the sequence manager's measurement flag is
// set. A running sequence of a Continuous or Single module completes acquisitions and announces
// each to the receivers, on the simulation's thread, with no lock of the library or the
// simulation held. The thread starts with the first start or stop message and ends when the last
// live frontend is destroyed, at SimReset, or at the release of the virtual stations.

/// The "acquisition complete" packet: a reply of the exec group with control id 0x403, which
/// CModuleCntl::Interpret hands to RplyMeasure. Its module id byte is the module's; its data is
/// four u32 (type 0x21): station id, module id, acquisition number, time stamp.
constexpr BYTE SimAcqCompleteCmdId = 0x88;
constexpr WORD SimAcqCompleteCntlId = 0x403;
constexpr DWORD SimAcqCompleteBytes = sizeof(_ModulePacket) + 4 * sizeof(DWORD);

/// One completed acquisition.
struct SimAcquisition {
  WORD Station = 0;
  WORD Module = 0;
  /// Counted from 1 after each start; 0: none completed yet.
  DWORD Number = 0;
  /// Completion time in whole seconds since 1970 (the stepped clock's 0 is 1700000000).
  DWORD TimeStamp = 0;
  /// Acquisitions the module announced since it was made.
  std::uint64_t Announced = 0;
};

/// Reads an "acquisition complete" packet; false, with acquisition untouched, for any other.
ZODAVUDAZ_EXPORT bool SimReadAcqComplete(const _ModulePacket* packet, SimAcquisition& acquisition) noexcept;

/// Called with each announcement. The packet is valid until the receiver returns (copy it to keep
/// it). A receiver that never returns holds up every later announcement and every ending.
using SimReceiver = void (*)(const _ModulePacket* packet, void* context);
/// Registers a receiver of the packets of every station; its id, 0 when out of memory.
ZODAVUDAZ_EXPORT DWORD SimAddReceiver(SimReceiver receiver, void* context) noexcept;
/// Unregisters a receiver; it is not called again once this returns, and this returns once the
/// receiver is no longer running (at once when called from inside it). False for an unknown id.
ZODAVUDAZ_EXPORT bool SimRemoveReceiver(DWORD id) noexcept;
/// True on the simulation's thread while it calls a receiver.
ZODAVUDAZ_EXPORT bool SimInsideReceiver() noexcept;

/// The module's latest completed acquisition (all 0 for an unknown module).
ZODAVUDAZ_EXPORT SimAcquisition SimLatestAcquisition(WORD station, WORD module) noexcept;
/// Waits until the module has announced more than seen acquisitions (SimAcquisition::Announced),
/// at most timeOutMs ms of wall-clock time; 0 with latest filled, SimTimedOut, SimNoModule, or
/// SimOrderError when called from inside a receiver (which would wait for itself).
ZODAVUDAZ_EXPORT WORD SimWaitForAcquisition(WORD station, WORD module, std::uint64_t seen, DWORD timeOutMs,
                                            SimAcquisition& latest) noexcept;
constexpr WORD SimTimedOut = 0x7008;
constexpr WORD SimOrderError = 0x7009;

/// stepped: from now on the simulation's clock moves only with SimAdvance (from 0); otherwise
/// it is the wall clock. Set it while no sequence runs; SimReset restores the wall clock.
ZODAVUDAZ_EXPORT void SimSetSteppedClock(bool stepped) noexcept;
/// Moves the stepped clock on by seconds (none for the wall clock), then returns once the
/// simulation's thread has acted on every message posted so far and announced every acquisition
/// due by then, the receivers' calls included. From inside a receiver it moves the clock and
/// returns at once.
ZODAVUDAZ_EXPORT void SimAdvance(double seconds) noexcept;

#endif
