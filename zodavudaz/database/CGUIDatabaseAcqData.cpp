// Acquisition data of CGUIDatabase: wave and acquisition information, acquired and current data,
// and the download of channel scaling tables.
#include <zodavudaz/database/CGUIDatabase.h>

#include <zodavudaz/database/ModuleFrontend.h>
#include <zodavudaz/database/ReplyBytes.h>
#include <zodavudaz/database/ReplyDelivery.h>
#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/WireField.h>
#include <zodavudaz/platform/BlockAllocator.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace {
constexpr WORD UnknownModule = 502;
constexpr WORD NoWaveInfo = 302;
constexpr WORD ScratchFailed = 400;
constexpr WORD CntlWaveInfoAcqData = 0x40C;
constexpr WORD CntlScaleData = 0x427;
constexpr WORD CntlScaleEnable = 0x42A;
constexpr WORD ByteType = 0x00;
constexpr WORD LongType = 0x21;
constexpr WORD RequestOption = 0;
constexpr WORD ExecOption = 4;
constexpr DWORD WaveInfoCapacity = 100 * sizeof(WAVEINF);
constexpr BYTE CurrentDataSelector = 0xFF;
constexpr DWORD AllPoints = 0xFFFFFFFF;
constexpr LONG AnyPoints = -1;
constexpr LONG NoChannel = -1;
constexpr short AllChannels = -1;
constexpr WORD GroupSlotLimit = 9;
constexpr DWORD ChannelValueBytes = 8;
constexpr DWORD PointScratchMargin = 16;
constexpr std::size_t PointsInput = 4;

struct ScratchRelease {
  void operator()(BYTE* block) const noexcept { ::operator delete(block); }
};
/// Memory for one call, released on every path.
using Scratch = std::unique_ptr<BYTE, ScratchRelease>;

/// bytes of scratch; null when they cannot be allocated.
Scratch NewScratch(unsigned long long bytes) noexcept {
  // Sizes come from the module; a 32-bit process never holds a block of 2 GiB or more.
  if (bytes > MaxBlockBytes)
    return Scratch();
  return Scratch(static_cast<BYTE*>(NewBlock(static_cast<std::size_t>(bytes))));
}

/// The direction value sent for direction; only 0, 1 and 2 are defined, any other is sent as 0.
LONG DirectionValue(WORD direction) noexcept {
  if (direction == 1)
    return -1;
  return direction == 2 ? 1 : 0;
}

/// The result of a wave information request and the bytes it delivered.
struct WaveInfoReply {
  WORD Result;
  DWORD Bytes;
};

WaveInfoReply AskWaveInfo(CFeModule& frontend, WORD offset, LONG first, LONG second, void* buffer, DWORD capacity,
                          CRplySync* sync) noexcept {
  LONG input[2] = {first, second};
  WORD type = ByteType;
  DWORD count = 0;
  const WORD result = frontend.Query(CmdGroupParam, MakeCntl(CntlWaveInfoAcqData, offset), input, LongType, 2, buffer,
                                     &type, &count, capacity, sync, RequestOption);
  // The count of wave information is in bytes, whatever the type says; never more than was given.
  return WaveInfoReply{result, count > capacity ? capacity : count};
}

WORD AskAcqData(CFeModule& frontend, WORD offset, LONG (&input)[6], void* buffer, DWORD capacity, WORD* type,
                DWORD* count, CRplySync* sync) noexcept {
  return frontend.Query(CmdGroupQuery, MakeCntl(CntlWaveInfoAcqData, offset), input, LongType, 6, buffer, type, count,
                        capacity, sync, RequestOption);
}

WORD AskCurrentData(CModule& module, WORD member, void* buffer, DWORD capacity, WORD* type, DWORD* count,
                    CRplySync* sync) noexcept {
  BYTE selector = CurrentDataSelector;
  return module.Frontend->Query(CmdGroupQuery, MakeCntl(module.DataCntlId, member), &selector, ByteType, 1, buffer,
                                type, count, capacity, sync, RequestOption);
}

/// The value in slot as type code type says; false for a type without a conversion.
bool ConvertValue(BYTE type, const BYTE* slot, double& value) noexcept {
  switch (type) {
  case 0x00:
  case 0x01: value = LoadWire<BYTE>(slot, 0); return true;
  case 0x10:
  case 0x11: value = LoadWire<std::int16_t>(slot, 0); return true;
  case 0x20:
  case 0x21: value = LoadWire<std::int32_t>(slot, 0); return true;
  case 0x22: value = LoadWire<float>(slot, 0); return true;
  case 0x32: value = LoadWire<double>(slot, 0); return true;
  default: return false;
  }
}

/// info from wave; its five doubles stay unwritten for a DataType without a conversion.
void FillAcqDataInfo(const WAVEINF& wave, _AcqDataInfo& info) noexcept {
  info.WordA = wave.WordA;
  info.DataType = wave.DataType;
  info.WordB = wave.WordB;
  info.ByteC = wave.ByteC;
  info.ByteD = wave.ByteD;
  info.WordM = wave.WordM;
  info.PointNum = wave.PointNum;
  info.DwordK = wave.DwordK;
  info.DwordL = wave.DwordL;
  const DWORD dwordsEToJ[] = {wave.DwordE, wave.DwordF, wave.DwordG, wave.DwordH, wave.DwordI, wave.DwordJ};
  std::memcpy(info.DwordEToJ, dwordsEToJ, sizeof info.DwordEToJ);
  const DWORD dwordsNToQ[] = {wave.DwordN, wave.DwordO, wave.DwordP, wave.DwordQ};
  std::memcpy(info.DwordNToQ, dwordsNToQ, sizeof info.DwordNToQ);
  const BYTE* const slots[] = {wave.Value0, wave.Value1, wave.Value2, wave.Value3, wave.Value4};
  double values[5];
  for (int index = 0; index < 5; ++index)
    if (!ConvertValue(wave.DataType, slots[index], values[index]))
      return;
  std::memcpy(info.Values, values, sizeof info.Values);
}

/// Appends the current data of each member of the group that starts at slot, through the first
/// module's frontend, until the group's last member or a reply that does not fit.
WORD ReadGroupCurrentData(const CGUIDatabase& database, WORD station, WORD slot, CModule& first, DWORD* size,
                          BYTE* buffer, WORD* type, CRplySync* sync) noexcept {
  const DWORD memberCapacity = database.GetAcqChannel(station, slot) * ChannelValueBytes;
  Scratch scratch = NewScratch(memberCapacity);
  if (!scratch)
    return ScratchFailed;
  DWORD total = 0;
  for (WORD member = 0; slot + member < GroupSlotLimit; ++member) {
    DWORD count = 0;
    if (const WORD result = AskCurrentData(first, member, scratch.get(), memberCapacity, type, &count, sync);
        result != 0)
      return result;
    const DWORD bytes = ReplyBytesWithin(*type, count, memberCapacity);
    if (bytes > *size - total)
      break;
    if (bytes > 0)
      std::memcpy(buffer + total, scratch.get(), bytes);
    total += bytes;
    if (database.CheckTerm(station, static_cast<WORD>(slot + member)))
      break;
  }
  // Also when no member ends the group before slot 9: the bytes appended are what was delivered.
  *size = total;
  return 0;
}
} // namespace

WORD CGUIDatabase::GetWaveInfo(WORD station, WORD slot, WORD offset, LONG first, LONG second, WAVEINF* info,
                               WORD* count, CRplySync* sync) noexcept {
  *count = 0;
  CFeModule* frontend = FindModuleFrontend(*this, station, slot);
  if (frontend == nullptr)
    return UnknownModule;
  const WaveInfoReply reply = AskWaveInfo(*frontend, offset, first, second, info, WaveInfoCapacity, sync);
  if (reply.Bytes == 0)
    return NoWaveInfo;
  *count = static_cast<WORD>(reply.Bytes / sizeof(WAVEINF));
  return reply.Result;
}

WORD CGUIDatabase::GetAcqInfo(WORD station, WORD slot, WORD offset, LONG first, LONG second, _AcqDataInfo* info,
                              WORD* count, CRplySync* sync) noexcept {
  *count = 0;
  CFeModule* frontend = FindModuleFrontend(*this, station, slot);
  if (frontend == nullptr)
    return UnknownModule;
  const unsigned long long capacity =
      1ull * GetConnectNum(station, slot) * GetAcqChannel(station, slot) * sizeof(WAVEINF);
  Scratch scratch = NewScratch(capacity);
  if (!scratch)
    return ScratchFailed;
  const WaveInfoReply reply =
      AskWaveInfo(*frontend, offset, first, second, scratch.get(), static_cast<DWORD>(capacity), sync);
  if (reply.Result != 0)
    return reply.Result;
  if (reply.Bytes == 0)
    return NoWaveInfo;
  // The count is a u16: records beyond it are not converted rather than wrapping it.
  const DWORD records = reply.Bytes / sizeof(WAVEINF) > 0xFFFF ? 0xFFFF : reply.Bytes / sizeof(WAVEINF);
  for (DWORD index = 0; index < records; ++index) {
    WAVEINF wave;
    std::memcpy(&wave, scratch.get() + index * sizeof(WAVEINF), sizeof wave);
    FillAcqDataInfo(wave, info[index]);
  }
  *count = static_cast<WORD>(records);
  return 0;
}

WORD GetAcqDataDelivered(CGUIDatabase& database, WORD station, WORD slot, WORD offset, LONG first, LONG second,
                         LONG third, LONG fourth, DWORD points, WORD direction, void* buffer, DWORD capacity,
                         WORD* type, DWORD* size, AcqDataDelivery& delivery, CRplySync* sync) noexcept {
  CFeModule* frontend = FindModuleFrontend(database, station, slot);
  if (frontend == nullptr)
    return UnknownModule;
  LONG input[6] = {
      first, second, third, fourth, points == 0 ? AnyPoints : static_cast<LONG>(points), DirectionValue(direction)};
  *size = capacity;
  DWORD count = 0;
  const WORD result = AskAcqData(*frontend, offset, input, buffer, capacity, type, &count, sync);
  *size = ReplyBytesWithin(*type, count, capacity);
  delivery = AcqDataDelivery{*type, *size, count};
  if (points == 0 || points == AllPoints || first == NoChannel)
    return result;
  if (result == 0 && ElementsWithin(*type, count, capacity) == 2ull * points)
    return 0;

  // Not the reply asked for: let *size tell how many elements the module holds.
  WAVEINF records[WaveInfoCapacity / sizeof(WAVEINF)];
  WORD recordCount = 0;
  if (const WORD waveResult = database.GetWaveInfo(station, slot, offset, first, second, records, &recordCount, sync);
      waveResult != 0)
    return waveResult;
  if (recordCount == 0)
    return NoWaveInfo;
  // A reply type without a usable width cannot size the second request.
  const DWORD width = ElementWidth(*type);
  if (width == 0)
    return result;
  const unsigned long long scratchBytes = 1ull * width * records[0].PointNum + PointScratchMargin;
  Scratch scratch = NewScratch(scratchBytes);
  if (!scratch)
    return ScratchFailed;
  input[PointsInput] = AnyPoints;
  DWORD held = 0;
  if (AskAcqData(*frontend, offset, input, scratch.get(), static_cast<DWORD>(scratchBytes), type, &held, sync) == 0) {
    *size = ElementsWithin(*type, held, static_cast<DWORD>(scratchBytes));
    delivery.Elements = *size;
  }
  return result;
}

WORD CGUIDatabase::GetAcqDataEx(WORD station, WORD slot, WORD offset, LONG first, LONG second, LONG third, LONG fourth,
                                DWORD points, WORD direction, void* buffer, DWORD capacity, WORD* type, DWORD* size,
                                CRplySync* sync) noexcept {
  AcqDataDelivery delivery;
  return GetAcqDataDelivered(*this, station, slot, offset, first, second, third, fourth, points, direction, buffer,
                             capacity, type, size, delivery, sync);
}

WORD CGUIDatabase::GetCurrentData(WORD station, WORD slot, short channel, DWORD* size, void* buffer, WORD* type,
                                  CRplySync* sync) noexcept {
  CModule* module = nullptr;
  if (!GetModuleInf(station, slot, &module) || module->Frontend == nullptr)
    return UnknownModule;
  // Current data is read for all channels, and from the first module of a connected group only.
  if (channel != AllChannels || SearchMaster(station, slot) != slot)
    return UnknownModule;
  if (CheckMaster(station, slot))
    return ReadGroupCurrentData(*this, station, slot, *module, size, static_cast<BYTE*>(buffer), type, sync);
  DWORD count = 0;
  const WORD result = AskCurrentData(*module, 0, buffer, *size, type, &count, sync);
  *size = ReplyBytesWithin(*type, count, *size);
  return result;
}

WORD CGUIDatabase::SetScaleTbl(WORD station, WORD slot, WORD offset, CHNLINF* table, WORD count, BYTE enable,
                               CRplySync* sync) noexcept {
  CFeModule* frontend = FindModuleFrontend(*this, station, slot);
  if (frontend == nullptr)
    return UnknownModule;
  frontend->Query(CmdGroupReqExec, MakeCntl(CntlScaleEnable, offset), &enable, ByteType, 1, sync, ExecOption);
  return frontend->Query(CmdGroupReqExec, MakeCntl(CntlScaleData, offset), table, ByteType,
                         DWORD{count} * sizeof(CHNLINF), sync, ExecOption);
}
