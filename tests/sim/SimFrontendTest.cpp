#include "packets/CEndianModulePacket.h"
#include "packets/WAVEINF.h"
#include "packets/WireField.h"
#include "packets/siblings/CFeModule.h"
#include "sim/SimControl.h"
#include "tests/sim/LiveAllocations.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
constexpr WORD Station = 5;
constexpr WORD Slot = 2;
constexpr BYTE Marker = 0xCC;

class SimFrontendTest : public testing::Test {
protected:
  void SetUp() override {
    SimReset();
    SimModuleConfig config;
    config.Station = Station;
    config.ModuleId = Slot;
    config.Channels = 3;
    config.Members = 2;
    config.PointNum = 50;
    Frontend = SimCreateFrontend(config);
    ASSERT_NE(Frontend, nullptr);
  }
  void TearDown() override { SimReset(); }

  /// Asks for acquired data of channel 1 from start, points given, into a buffer of capacity
  /// bytes (and 16 marker bytes after them).
  WORD AskAcqData(LONG start, LONG points, LONG direction, DWORD capacity) {
    const LONG input[6] = {1, 0, start, 0, points, direction};
    Buffer.assign(capacity + 16, Marker);
    return Frontend->Query(10, 0x40C, const_cast<LONG*>(input), 0x21, 6, Buffer.data(), &Type, &Count, capacity,
                           nullptr, 0);
  }

  CFeModule* Frontend = nullptr;
  std::vector<BYTE> Buffer;
  WORD Type = 0xBEEF;
  DWORD Count = 0xBEEF;
};

LONG WaveInfInput[2] = {-1, 0};
} // namespace

TEST_F(SimFrontendTest, PointerRepliesStayTheModulesUntilItsNextRequest) {
  void* data = nullptr;
  ASSERT_EQ(Frontend->Query(10, 0x9123, &data, &Type, &Count, nullptr, 0), 0);
  const _ModulePacket* held = SimHeldReply(Station, Slot);
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(data, reinterpret_cast<const BYTE*>(held) + 32);
  EXPECT_EQ(Type, 0x10);
  ASSERT_EQ(Count, 4u);
  const WORD expected[4] = {10, 0x9123, Slot, Station};
  EXPECT_EQ(std::memcmp(data, expected, sizeof expected), 0);

  _ModulePacket* reply = nullptr;
  ASSERT_EQ(Frontend->Query(11, 0x123, nullptr, 0xFF, 0, &reply, nullptr, 0), 0);
  EXPECT_EQ(reply, SimHeldReply(Station, Slot));
  CEndianModulePacket packet(reply);
  EXPECT_EQ(packet.GetCmdId(), 0x8B);
  EXPECT_EQ(packet.GetCntl(), 0x123);
  EXPECT_EQ(packet.GetModuleId(), Slot);
}

TEST_F(SimFrontendTest, FailedRequestWritesNoOutput) {
  SimFault fault;
  fault.Group = 10;
  fault.CntlId = 0x40C;
  fault.Times = 1;
  fault.Result = 0x1234;
  SimAddFault(Station, Slot, fault);
  EXPECT_EQ(AskAcqData(0, 4, 0, 64), 0x1234);
  EXPECT_EQ(Type, 0xBEEF);
  EXPECT_EQ(Count, 0xBEEFu);
  EXPECT_EQ(Buffer, std::vector<BYTE>(80, Marker));
  EXPECT_EQ(AskAcqData(0, 4, 0, 64), 0);
  EXPECT_EQ(SimQueries(Station, Slot).size(), 2u);
}

TEST_F(SimFrontendTest, AcquiredDataRanges) {
  struct Row {
    const char* Name;
    LONG Start, Points, Direction;
    DWORD Count;
    DWORD FirstPoint;
  };
  const Row rows[] = {
      {"FivePoints", 10, 5, 0, 10, 10},
      {"AllPoints", 0, -1, 0, 100, 0},
      {"ClippedAtTheEnd", 45, 10, 1, 10, 45},
      {"BackwardsEndAtStart", 9, 4, -1, 8, 6},
      {"BackwardsClippedAtZero", 2, 10, -1, 6, 0},
      {"StartBeyondTheEnd", 50, 4, 0, 0, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    ASSERT_EQ(AskAcqData(row.Start, row.Points, row.Direction, 1024), 0);
    EXPECT_EQ(Count, row.Count);
    if (row.Count > 0) {
      EXPECT_EQ(LoadWire<short>(Buffer.data(), 0), SimAcqValue(0, 1, row.FirstPoint, false));
      EXPECT_EQ(LoadWire<short>(Buffer.data(), 2), SimAcqValue(0, 1, row.FirstPoint, true));
    }
  }
}

TEST_F(SimFrontendTest, BufferRepliesNeverPassTheCapacity) {
  ASSERT_EQ(AskAcqData(0, -1, 0, 30), 0);
  EXPECT_EQ(Count, 15u);
  EXPECT_EQ(LoadWire<short>(Buffer.data(), 28), SimAcqValue(0, 1, 7, false));
  EXPECT_EQ(std::vector<BYTE>(Buffer.begin() + 30, Buffer.end()), std::vector<BYTE>(16, Marker));

  SimFault fault;
  fault.ClaimCount = 100000;
  SimAddFault(Station, Slot, fault);
  ASSERT_EQ(AskAcqData(0, -1, 0, 30), 0);
  EXPECT_EQ(Count, 100000u);
  EXPECT_EQ(std::vector<BYTE>(Buffer.begin() + 30, Buffer.end()), std::vector<BYTE>(16, Marker));
  EXPECT_EQ(SimQueries(Station, Slot).back().Capacity, 30u);
}

TEST_F(SimFrontendTest, ShortMalformedAndOversizedReplies) {
  struct Row {
    const char* Name;
    DWORD KeepBytes, ExtraBytes;
    WORD Type;
    WORD ExpectedType;
    DWORD ExpectedCount;
  };
  // The sequence information block is 32 header bytes and an 8-byte table.
  const Row rows[] = {
      {"Unchanged", SimAll, 0, SimAny, 0x00, 40},
      {"ShortTableClaimsMore", 36, 0, SimAny, 0x00, 36},
      {"MalformedTypeKeepsTheCount", SimAll, 0, 0x70, 0x70, 40},
      {"MoreThanAsked", SimAll, 24, SimAny, 0x00, 64},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    SimClearFaults(Station, Slot);
    SimFault fault;
    fault.KeepBytes = row.KeepBytes;
    fault.ExtraBytes = row.ExtraBytes;
    fault.Type = row.Type;
    SimAddFault(Station, Slot, fault);
    void* data = nullptr;
    ASSERT_EQ(Frontend->Query(11, 0x400, &data, &Type, &Count, nullptr, 0), 0);
    EXPECT_EQ(Type, row.ExpectedType);
    EXPECT_EQ(Count, row.ExpectedCount);
    EXPECT_EQ(LoadWire<DWORD>(data, 28), 8u);
    EXPECT_EQ(CEndianModulePacket(const_cast<_ModulePacket*>(SimHeldReply(Station, Slot))).GetDataSize(),
              row.KeepBytes == SimAll ? 40 + row.ExtraBytes : row.KeepBytes);
  }
}

TEST_F(SimFrontendTest, WaveInformationCoversTheGroupFromTheOffset) {
  std::vector<WAVEINF> records(10);
  ASSERT_EQ(Frontend->Query(9, 0x40C, WaveInfInput, 0x21, 2, records.data(), &Type, &Count, 12800, nullptr, 0), 0);
  EXPECT_EQ(Type, 0x00);
  EXPECT_EQ(Count, 6u * 128);
  EXPECT_EQ(records[4].WordB, 1);
  EXPECT_EQ(records[4].WordA, 1);
  EXPECT_EQ(records[4].PointNum, 50u);
  ASSERT_EQ(Frontend->Query(9, 0x140C, WaveInfInput, 0x21, 2, records.data(), &Type, &Count, 12800, nullptr, 0), 0);
  EXPECT_EQ(Count, 3u * 128);
  LONG oneChannel[2] = {2, 0};
  ASSERT_EQ(Frontend->Query(9, 0x40C, oneChannel, 0x21, 2, records.data(), &Type, &Count, 12800, nullptr, 0), 0);
  EXPECT_EQ(Count, 2u * 128);
  EXPECT_EQ(Frontend->Query(9, 0x240C, WaveInfInput, 0x21, 2, records.data(), &Type, &Count, 12800, nullptr, 0),
            SimNoMember);
}

TEST_F(SimFrontendTest, CurrentDataPerMember) {
  double values[3] = {};
  BYTE input = 0xFF;
  ASSERT_EQ(Frontend->Query(10, 0x140D, &input, 0x00, 1, values, &Type, &Count, sizeof values, nullptr, 0), 0);
  EXPECT_EQ(Type, 0x32);
  EXPECT_EQ(Count, 3u);
  EXPECT_EQ(values[2], SimCurrentValue(1, 2));
  EXPECT_EQ(SimQueries(Station, Slot).back().In, std::vector<BYTE>{0xFF});
}

TEST_F(SimFrontendTest, ExecutedSettingIsWhatQueriesAnswer) {
  BYTE table[192];
  for (int index = 0; index < 192; ++index)
    table[index] = static_cast<BYTE>(index);
  CRplySync sync;
  sync.SetTimeOut(77);
  ASSERT_EQ(Frontend->Query(0, 0x1427, table, 0x00, 192, &sync, 4), 0);
  const SimQuery exec = SimQueries(Station, Slot).back();
  EXPECT_EQ(exec.Group, 0);
  EXPECT_EQ(exec.Cntl, 0x1427);
  EXPECT_EQ(exec.In.size(), 192u);
  EXPECT_EQ(exec.Option, 4);
  EXPECT_EQ(exec.Sync, &sync);
  EXPECT_EQ(exec.SyncTimeOut, 77u);
  void* data = nullptr;
  ASSERT_EQ(Frontend->Query(10, 0x427, &data, &Type, &Count, nullptr, 0), 0);
  ASSERT_EQ(Count, 192u);
  EXPECT_EQ(std::memcmp(data, table, 192), 0);
}

TEST_F(SimFrontendTest, SetRepliesComeFirst) {
  const DWORD words[2] = {1, 2};
  SimSetReply(Station, Slot, 9, 0x40E, 0x20, words, sizeof words);
  void* data = nullptr;
  ASSERT_EQ(Frontend->Query(9, 0x340E, &data, &Type, &Count, nullptr, 0), 0);
  EXPECT_EQ(Type, 0x20);
  EXPECT_EQ(Count, 2u);
  EXPECT_EQ(LoadWire<DWORD>(data, 4), 2u);
  ASSERT_EQ(Frontend->Query(10, 0x40E, &data, &Type, &Count, nullptr, 0), 0);
  EXPECT_STREQ(static_cast<const char*>(data), "Help of module 2, station 5");
}

TEST_F(SimFrontendTest, EndedFrontendRefusesAndDeletingItIsSeen) {
  Frontend->Destroy();
  EXPECT_EQ(SimDestroyCalls(Station, Slot), 1);
  EXPECT_EQ(Frontend->Query(0, 0x100, nullptr, 0xFF, 0, nullptr, 4), SimFrontendEnded);
  EXPECT_EQ(SimLiveFrontends(Station, Slot), 1);
  delete Frontend;
  EXPECT_EQ(SimLiveFrontends(Station, Slot), 0);
  EXPECT_EQ(SimQueries(Station, Slot).size(), 1u);
}

TEST_F(SimFrontendTest, ResetEndsFrontendsAndForgetsModules) {
  const SimModuleConfig config;
  auto createQueryAndReset = [&] {
    CFeModule* frontend = SimCreateFrontend(config);
    ASSERT_NE(frontend, nullptr);
    void* data = nullptr;
    ASSERT_EQ(frontend->Query(11, 0x400, &data, &Type, &Count, nullptr, 0), 0);
    ASSERT_NE(SimCreateFrontend(config), nullptr);
    EXPECT_EQ(SimLiveFrontends(config.Station, config.ModuleId), 2);
    SimReset();
    EXPECT_EQ(SimLiveFrontends(config.Station, config.ModuleId), 0);
  };
  SimReset();
  const long blocksBefore = LiveAllocations();
  createQueryAndReset();
  EXPECT_EQ(LiveAllocations(), blocksBefore);
}
