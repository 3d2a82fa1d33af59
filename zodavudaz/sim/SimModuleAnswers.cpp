// What a simulated module means to answer to each request, before any fault bends it.
#include <zodavudaz/sim/SimModule.h>

#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/WireField.h>
#include <zodavudaz/sim/SimLive.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

namespace {
constexpr WORD CntlSeqInfo = 0x400;
constexpr WORD CntlWaveInfoAcqData = 0x40C;
constexpr WORD CntlHelp = 0x40E;
constexpr BYTE NoDataType = 0xFF;
constexpr BYTE ByteType = 0x00;
constexpr BYTE WordType = 0x10;
constexpr std::size_t SeqHeaderSize = 32;
constexpr std::size_t SeqModeOffset = 24;
constexpr std::size_t SeqLengthOffset = 28;

/// value cut to the range of T, so that the conversion is defined: toward zero for an integer type,
/// to the nearest float for float; beyond the range, its end; not a number, the lowest value.
template <typename T>
T Clamped(double value) noexcept {
  constexpr double Lowest = static_cast<double>(std::numeric_limits<T>::lowest());
  constexpr double Highest = static_cast<double>(std::numeric_limits<T>::max());
  if (!(value >= Lowest))
    return std::numeric_limits<T>::lowest();
  return value > Highest ? std::numeric_limits<T>::max() : static_cast<T>(value);
}

/// Writes value as type code type says into width bytes at out; zeros for a type not known.
void EncodeValue(WORD type, double value, BYTE* out) noexcept {
  std::memset(out, 0, SimWidthOf(type));
  switch (type) {
  case 0x00:
  case 0x01: StoreWire(out, 0, Clamped<BYTE>(value)); break;
  case 0x10:
  case 0x11: StoreWire(out, 0, Clamped<std::int16_t>(value)); break;
  case 0x20:
  case 0x21: StoreWire(out, 0, Clamped<std::int32_t>(value)); break;
  // Not a number stays one in a float.
  case 0x22: StoreWire(out, 0, std::isnan(value) ? static_cast<float>(value) : Clamped<float>(value)); break;
  case 0x32: StoreWire(out, 0, value); break;
  default: break;
  }
}

/// data filled with copies of its first block bytes, the last copy cut at its end.
void RepeatBlock(std::vector<BYTE>& data, std::size_t block) noexcept {
  for (std::size_t at = block; block != 0 && at < data.size(); at += block)
    std::memcpy(data.data() + at, data.data(), std::min(block, data.size() - at));
}

void AppendValue(std::vector<BYTE>& data, WORD type, double value) {
  const std::size_t at = data.size();
  data.resize(at + SimWidthOf(type));
  EncodeValue(type, value, data.data() + at);
}

/// The i32 input values of a request; none when it carries fewer than count.
bool ReadLongs(const std::vector<BYTE>& in, std::size_t count, LONG* values) noexcept {
  if (in.size() < count * sizeof(LONG))
    return false;
  for (std::size_t index = 0; index < count; ++index)
    values[index] = LoadWire<LONG>(in.data(), index * sizeof(LONG));
  return true;
}

/// The first point and the number of points an acquired-data request covers.
struct PointRange {
  DWORD First;
  DWORD Count;
};

PointRange RangeOf(DWORD pointNum, LONG start, LONG points, LONG direction) noexcept {
  const DWORD from = start < 0 ? 0 : static_cast<DWORD>(start);
  if (from >= pointNum)
    return {0, 0};
  const bool all = points < 0;
  if (direction == -1) {
    const DWORD count = all || static_cast<DWORD>(points) > from + 1 ? from + 1 : static_cast<DWORD>(points);
    return {from + 1 - count, count};
  }
  const DWORD left = pointNum - from;
  return {from, all || static_cast<DWORD>(points) > left ? left : static_cast<DWORD>(points)};
}
} // namespace

double SimAcqValue(WORD member, WORD channel, DWORD point, bool maximum) noexcept {
  return SimWaveValue(SimWave(), member, channel, point, 0, maximum);
}

double SimCurrentValue(WORD member, WORD channel) noexcept { return member * 100.0 + channel + 0.25; }

WAVEINF SimGeneratedWaveInf(const SimModuleConfig& config, WORD member, WORD channel) noexcept {
  WAVEINF record = {};
  record.WordA = channel;
  record.WordB = member;
  record.DataType = config.DataType;
  record.ByteC = 1;
  record.PointNum = config.PointNum;
  StoreWire(&record, offsetof(WAVEINF, DwordE), SimSampleInterval);
  record.DwordG = member;
  record.DwordH = channel;
  BYTE* const values[] = {record.Value0, record.Value1, record.Value2, record.Value3, record.Value4};
  for (int index = 0; index < 5; ++index)
    EncodeValue(config.DataType, 10.0 * (index + 1) + channel, values[index]);
  record.DwordL = config.PointNum;
  record.WordM = config.Members;
  record.SecondUnitCode = 0x0800;
  record.UnitCode = 0x0100;
  std::memcpy(record.UnitText1, "mV", 2);
  record.TimeStamp = 1700000000u + channel;
  return record;
}

SimModule::Reply SimModule::NaturalReply(const Request& request) {
  const WORD id = MaskedCntlIdOf(request.Cntl);
  const WORD member = CntlOfstOf(request.Cntl);
  if (auto stored = StoredReplies.find((DWORD{request.Group} << 16) | id); stored != StoredReplies.end())
    return stored->second;
  const bool queryOrParam = request.Group == CmdGroupQuery || request.Group == CmdGroupParam;
  if (request.Group == CmdGroupReqExec) {
    ExecSettings[id] = Reply{0, request.InType, request.In};
    return Reply{};
  }
  if (request.Group == CmdGroupParam && id == CntlWaveInfoAcqData)
    return WaveInfReply(member, request.In);
  if (request.Group == CmdGroupQuery && id == CntlWaveInfoAcqData)
    return AcqDataReply(member, request.In);
  if (request.Group == CmdGroupQuery && id == MaskedCntlIdOf(Settings.CurrentCntlId))
    return CurrentDataReply(member);
  if (request.Group == CmdGroupGui && id == CntlSeqInfo)
    return SeqInfoReply();
  if (queryOrParam && id == CntlHelp)
    return HelpReply();
  if (auto setting = ExecSettings.find(id); queryOrParam && setting != ExecSettings.end())
    return setting->second;
  return DefaultReply(request);
}

SimModule::Reply SimModule::WaveInfReply(WORD member, const std::vector<BYTE>& in) const {
  LONG input[2];
  if (!ReadLongs(in, 2, input))
    return Reply{SimBadRequest, NoDataType, {}};
  if (member >= Settings.Members)
    return Reply{SimNoMember, NoDataType, {}};
  std::vector<WAVEINF> records;
  if (WaveInf) {
    records = *WaveInf;
  } else {
    for (WORD each = member; each < Settings.Members; ++each)
      for (WORD channel = 0; channel < Settings.Channels; ++channel)
        records.push_back(SimGeneratedWaveInf(Settings, each, channel));
  }
  const SimLiveView live = SimLiveViewOf(Settings);
  Reply reply{0, ByteType, {}};
  for (WAVEINF record : records) {
    if (input[0] >= 0 && record.WordA != input[0])
      continue;
    if (live.Live && !WaveInf) {
      record.DwordI = live.Number;
      if (live.Number != 0)
        record.TimeStamp = live.TimeStamp;
    }
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&record);
    reply.Data.insert(reply.Data.end(), bytes, bytes + sizeof record);
  }
  return reply;
}

SimModule::Reply SimModule::AcqDataReply(WORD member, const std::vector<BYTE>& in) const {
  LONG input[6];
  if (!ReadLongs(in, 6, input))
    return Reply{SimBadRequest, NoDataType, {}};
  if (member >= Settings.Members)
    return Reply{SimNoMember, NoDataType, {}};
  const WORD channel = input[0] < 0 ? 0 : static_cast<WORD>(input[0]);
  if (channel >= Settings.Channels)
    return Reply{SimBadRequest, NoDataType, {}};
  const PointRange range = RangeOf(Settings.PointNum, input[2], input[4], input[5]);
  const SimWave wave = channel < Settings.Waves.size() ? Settings.Waves[channel] : SimWave();
  // One view for the whole reply: every point comes from the same acquisition.
  const std::uint64_t first = SimLiveViewOf(Settings).FirstPoint + range.First;
  const std::size_t pointSize = 2ull * SimWidthOf(Settings.DataType);
  // Beyond the address space (the i386 build) the reply fails as an allocation does, never wraps.
  if (std::uint64_t{range.Count} * pointSize > std::vector<BYTE>().max_size())
    throw std::bad_alloc();
  Reply reply{0, Settings.DataType, std::vector<BYTE>(range.Count * pointSize)};
  // Where the values repeat, one period is computed and its bytes copied on.
  const std::uint64_t period = SimWavePeriod(wave, first + range.Count);
  const DWORD computed = period == 0 || period > range.Count ? range.Count : static_cast<DWORD>(period);
  for (DWORD point = 0; point < computed; ++point)
    EncodePoint(wave, member, channel, first + point, reply.Data.data() + point * pointSize);
  RepeatBlock(reply.Data, computed * pointSize);
  return reply;
}

void SimModule::EncodePoint(const SimWave& wave, WORD member, WORD channel, std::uint64_t point,
                            BYTE* out) const noexcept {
  const double minimum = SimWaveValue(wave, member, channel, point, Settings.Seed, false);
  // Every shape but steps has its minimum as its maximum.
  const double maximum =
      wave.Shape == SimWaveShape::Steps ? SimWaveValue(wave, member, channel, point, Settings.Seed, true) : minimum;
  EncodeValue(Settings.DataType, minimum, out);
  EncodeValue(Settings.DataType, maximum, out + SimWidthOf(Settings.DataType));
}

SimModule::Reply SimModule::CurrentDataReply(WORD member) const {
  if (member >= Settings.Members)
    return Reply{SimNoMember, NoDataType, {}};
  const SimLiveView live = SimLiveViewOf(Settings);
  Reply reply{0, Settings.CurrentType, {}};
  for (WORD channel = 0; channel < Settings.Channels; ++channel)
    AppendValue(reply.Data, Settings.CurrentType,
                live.Live ? LiveCurrentValue(member, channel, live.CurrentPoint) : SimCurrentValue(member, channel));
  return reply;
}

double SimModule::LiveCurrentValue(WORD member, WORD channel, std::uint64_t point) const noexcept {
  const SimWave wave = channel < Settings.Waves.size() ? Settings.Waves[channel] : SimWave();
  return (SimWaveValue(wave, member, channel, point, Settings.Seed, false) +
          SimWaveValue(wave, member, channel, point, Settings.Seed, true)) /
         2;
}

SimModule::Reply SimModule::SeqInfoReply() const {
  Reply reply{0, ByteType, std::vector<BYTE>(SeqHeaderSize + SeqTable.size())};
  StoreWire(reply.Data.data(), SeqModeOffset, SeqMode);
  StoreWire(reply.Data.data(), SeqLengthOffset, static_cast<DWORD>(SeqTable.size()));
  if (!SeqTable.empty())
    std::memcpy(reply.Data.data() + SeqHeaderSize, SeqTable.data(), SeqTable.size());
  return reply;
}

SimModule::Reply SimModule::HelpReply() const {
  return Reply{0, ByteType, std::vector<BYTE>(Help.c_str(), Help.c_str() + Help.size() + 1)};
}

SimModule::Reply SimModule::DefaultReply(const Request& request) const {
  Reply reply{0, WordType, std::vector<BYTE>(4 * sizeof(WORD))};
  const WORD values[] = {request.Group, request.Cntl, Settings.ModuleId, Settings.Station};
  for (std::size_t index = 0; index < 4; ++index)
    StoreWire(reply.Data.data(), index * sizeof(WORD), values[index]);
  return reply;
}
