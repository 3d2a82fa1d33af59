// A simulated measurement module: what it answers, how faults bend its replies, what it was asked.
#ifndef ZODAVUDAZ_SIM_SIMMODULE_H
#define ZODAVUDAZ_SIM_SIMMODULE_H

#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CRplySync.h>
#include <zodavudaz/packets/WAVEINF.h>
#include <zodavudaz/sim/SimControl.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

/// Answers request packets with reply packets that it holds until its next request.
class SimModule {
public:
  explicit SimModule(const SimModuleConfig& config);
  SimModule(const SimModule&) = delete;
  SimModule& operator=(const SimModule&) = delete;

  const SimModuleConfig& Config() const noexcept { return Settings; }

  /// Answers request; on 0 *reply (when reply is not null) = the reply packet it now holds. A
  /// request through an ended frontend is logged and refused with SimFrontendEnded.
  WORD Answer(const _ModulePacket* request, _ModulePacket** reply, CRplySync* sync, WORD option, bool viaFrontend,
              bool frontendEnded) noexcept;
  /// The capacity that the next request's caller gives for the reply (logged with it).
  void SetPendingCapacity(DWORD capacity) noexcept { PendingCapacity = capacity; }
  /// The held reply's element count was set by a ClaimCount fault, not by what it holds.
  bool HeldReplyOverclaims() const noexcept { return Overclaims; }
  const _ModulePacket* HeldReply() const noexcept;
  /// The data bytes of the whole held reply, over all its packets.
  DWORD HeldDataBytes() const noexcept;

  void SetReply(WORD group, WORD cntlId, WORD type, std::vector<BYTE> data);
  void SetHelp(const char* text);
  void SetSeqInfo(WORD mode, std::vector<BYTE> table);
  void SetWaveInf(std::vector<WAVEINF> records);
  void AddFault(const SimFault& fault);
  void ClearFaults() noexcept { Faults.clear(); }

  const std::vector<SimQuery>& Queries() const noexcept { return Log; }
  void NoteDestroy(int order) noexcept {
    ++DestroyCalls;
    DestroyOrder = order;
  }
  int GetDestroyCalls() const noexcept { return DestroyCalls; }
  int GetDestroyOrder() const noexcept { return DestroyOrder; }
  void NoteFrontendMade() noexcept { ++LiveFrontends; }
  void NoteFrontendGone() noexcept { --LiveFrontends; }
  int GetLiveFrontends() const noexcept { return LiveFrontends; }

private:
  struct Request {
    BYTE Group;
    WORD Cntl;
    WORD InType;
    std::vector<BYTE> In;
  };
  struct Reply {
    WORD Result = 0;
    WORD Type = 0xFF;
    std::vector<BYTE> Data;
  };

  // What the module means to answer (SimModuleAnswers.cpp).
  Reply NaturalReply(const Request& request);
  Reply WaveInfReply(WORD member, const std::vector<BYTE>& in) const;
  Reply AcqDataReply(WORD member, const std::vector<BYTE>& in) const;
  /// Writes the minimum and maximum of wave at point as the data type says, side by side at out.
  void EncodePoint(const SimWave& wave, WORD member, WORD channel, std::uint64_t point, BYTE* out) const noexcept;
  Reply CurrentDataReply(WORD member) const;
  /// A live module's current value: the middle of the point's minimum and maximum.
  double LiveCurrentValue(WORD member, WORD channel, std::uint64_t point) const noexcept;
  Reply SeqInfoReply() const;
  Reply HelpReply() const;
  Reply DefaultReply(const Request& request) const;

  static Request ReadRequest(const _ModulePacket* request);
  void Record(const Request& request, CRplySync* sync, WORD option, bool viaFrontend);
  std::optional<SimFault> TakeFault(const Request& request);
  DWORD Shape(Reply& reply, const std::optional<SimFault>& fault);
  /// A block of a zeroed packet header followed by data.
  std::vector<BYTE> BlockHolding(const std::vector<BYTE>& data);
  void Hold(const _ModulePacket* request, const Reply& reply, DWORD count, DWORD packetBytes, CRplySync* sync);

  SimModuleConfig Settings;
  std::map<DWORD, Reply> StoredReplies;
  std::map<WORD, Reply> ExecSettings;
  std::string Help;
  WORD SeqMode = 0;
  std::vector<BYTE> SeqTable;
  std::optional<std::vector<WAVEINF>> WaveInf;
  std::vector<SimFault> Faults;
  std::vector<SimQuery> Log;
  DWORD PendingCapacity = SimAll;
  std::vector<BYTE> Held;
  /// Storage of an earlier reply, kept for a later one.
  std::vector<BYTE> Spare;
  bool Overclaims = false;
  int DestroyCalls = 0;
  int DestroyOrder = 0;
  int LiveFrontends = 0;
};

/// Element count of bytes of data of type code type (0 for type 0xFF).
DWORD SimCountOf(WORD type, std::size_t bytes) noexcept;
/// Element width of type code type in bytes.
DWORD SimWidthOf(WORD type) noexcept;

#endif
