// Building and reading a module packet header field by field, against plain copies of the same
// 32 bytes.
#include "bench/PairTiming.h"
#include <zodavudaz/packets/CEndianModulePacket.h>

#include <cstring>

namespace {
double BaselineNanoseconds = 0;

DWORD SumOf(const _ModulePacket& header) {
  return header.Size + header.AllBytes + header.CurPacketNo + header.AllPacket + header.ModuleId + header.CmdId +
         header.Cntl + header.ParamType + header.Version + header.ParamNum + header.ThreadAddr;
}

void BM_ModulePacketFieldsBaseline(benchmark::State& state) {
  const _ModulePacket source = {116, 116, 1, 1, 2, 0x8A, 0x940C, 0x10, 1, {}, 50, 0x1000};
  _ModulePacket packet;
  BaselineNanoseconds = TimeLoop(state, [&] {
    benchmark::DoNotOptimize(&source);
    std::memcpy(&packet, &source, sizeof packet);
    benchmark::ClobberMemory();
    _ModulePacket read;
    std::memcpy(&read, &packet, sizeof read);
    benchmark::DoNotOptimize(SumOf(read));
  });
}

void BM_ModulePacketFields(benchmark::State& state) {
  _ModulePacket storage;
  CEndianModulePacket packet(&storage);
  const double nanoseconds = TimeLoop(state, [&] {
    packet.SetSize(100);
    packet.SetAllBytes(1, 100);
    packet.SetCurPacketNo(1);
    packet.SetAllPacket(1);
    packet.SetModuleId(2);
    packet.SetCmdId(0x8A);
    packet.SetCntlId(0x940C);
    packet.SetParamType(0x10);
    packet.SetVersion(1);
    packet.SetParamNum(50);
    packet.SetThreadAddr(0x1000);
    benchmark::ClobberMemory();
    benchmark::DoNotOptimize(packet.GetSize() + packet.GetAllBytes() + packet.GetCurPacketNo() + packet.GetAllPacket() +
                             packet.GetModuleId() + packet.GetCmdId() + packet.GetCntl() + packet.GetParamType() +
                             packet.GetVersion() + packet.GetParamNum() + packet.GetThreadAddr());
  });
  ReportRatio(state, nanoseconds, BaselineNanoseconds);
}
} // namespace

// The baseline runs first so that the pair's ratio can be reported.
BENCHMARK(BM_ModulePacketFieldsBaseline);
BENCHMARK(BM_ModulePacketFields);
