#include "tests/database/SimModuleFixture.h"
#include "tests/hooks/BlockFaults.h"
#include <zodavudaz/packets/WireField.h>

#include <functional>

class AcqDataTest : public SimModuleFixture {
protected:
  AcqDataTest() : Station(FileStation(5)) {}
  /// Slot 2 on a fresh simulated module of 1000 points of 16-bit pairs, with fault added.
  void Restart(const SimFault& fault, WORD members = 1, WORD channels = 4) {
    SimReset();
    SimModuleConfig config{5, 2, channels, members};
    CModule* module = nullptr;
    if (!Database.GetModuleInf(5, 2, &module))
      module = &FileSimModule(Station, config);
    module->Frontend = SimCreateFrontend(config);
    module->AcqChannel = channels;
    SimAddFault(5, 2, fault);
  }
  CStation& Station;
  WORD Type = 0xBEEF;
  DWORD Size = 0xBEEF;
  WORD Count = 0xBEEF;
};

TEST_F(AcqDataTest, WaveInfoCountsWholeRecordsThatFitTheRoom) {
  const std::vector<BYTE> bytes300(300, 0x11);
  const struct {
    SimFault Fault;
    std::function<void()> Arrange;
    WORD Result, Count;
  } rows[] = {
      {{}, [] {}, 0, 4}, // four channels of member 1
      {{}, [&] { SimSetReply(5, 2, 9, 0x40C, 0x00, bytes300.data(), 300); }, 0, 2},
      {{}, [] { SimSetWaveInf(5, 2, {}); }, 302, 0},
      {{.Result = 0x1234}, [] {}, 302, 0},
      {{.ClaimCount = 1000000}, [] {}, 0, 100},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Count);
    Restart(row.Fault, 2);
    row.Arrange();
    std::vector<BYTE> room(12800 + 64, 0xCC);
    EXPECT_EQ(Database.GetWaveInfo(5, 2, 1, -1, 7, reinterpret_cast<WAVEINF*>(room.data()), &Count, &Sync), row.Result);
    EXPECT_EQ(Count, row.Count);
    EXPECT_EQ(FirstWritten(room, 12800), room.size());
    const SimQuery asked = SimQueries(5, 2).back();
    const LONG input[2] = {-1, 7};
    EXPECT_EQ(std::tie(asked.Group, asked.Cntl, asked.InType, asked.Capacity, asked.Sync),
              std::make_tuple(9, 0x140C, 0x21, 12800u, &Sync));
    EXPECT_EQ(std::memcmp(asked.In.data(), input, sizeof input), 0);
  }
}

TEST_F(AcqDataTest, AcqInfoConvertsValuesByTheirDataType) {
  Restart({.Times = 0});
  WAVEINF signedWords = {}, bytes = {}, unknown = {};
  signedWords.DataType = 0x11;
  std::memset(signedWords.Value4, 0xFF, 2);
  signedWords.DwordF = 6;
  signedWords.DwordQ = 8;
  signedWords.WordM = 4;
  bytes.DataType = 0x01;
  bytes.Value0[0] = 0xFF;
  unknown.DataType = 0x05;
  SimSetWaveInf(5, 2, {signedWords, bytes, unknown});
  std::vector<BYTE> room(5 * sizeof(_AcqDataInfo), 0xCC);
  _AcqDataInfo* info = reinterpret_cast<_AcqDataInfo*>(room.data());
  ASSERT_EQ(Database.GetAcqInfo(5, 2, 0, -1, 0, info, &Count, &Sync), 0);
  ASSERT_EQ(Count, 3);
  EXPECT_EQ(std::tie(info[0].Values[4], info[0].Values[0], info[1].Values[0]), std::make_tuple(-1.0, 0.0, 255.0));
  EXPECT_EQ(std::tie(info[0].DataType, info[0].DwordEToJ[1], info[0].DwordNToQ[3], info[0].WordM),
            std::make_tuple(0x11, 6u, 8u, 4));
  EXPECT_EQ(FirstWritten(room, 2 * sizeof(_AcqDataInfo) + offsetof(_AcqDataInfo, Values)), room.size())
      << "the doubles of an unknown type stay unwritten";
  EXPECT_EQ(SimQueries(5, 2).back().Capacity, 4 * 128u) << "one member of four channels";
  SimAddFault(5, 2, {.ClaimCount = 1000000});
  ASSERT_EQ(Database.GetAcqInfo(5, 2, 0, -1, 0, info, &Count, &Sync), 0);
  EXPECT_EQ(Count, 4) << "no more records than the scratch buffer holds";
  EXPECT_EQ(FirstWritten(room, 4 * sizeof(_AcqDataInfo)), room.size());
  SimClearFaults(5, 2);
  SimSetWaveInf(5, 2, {});
  EXPECT_EQ(Database.GetAcqInfo(5, 2, 0, -1, 0, info, &Count, &Sync), 302);
  SimAddFault(5, 2, {.Result = 0x1234});
  EXPECT_EQ(Database.GetAcqInfo(5, 2, 0, -1, 0, info, &Count, &Sync), 0x1234);
  ArmBlockFault(1, false);
  EXPECT_EQ(Database.GetAcqInfo(5, 2, 0, -1, 0, info, &Count, &Sync), 400);
}

TEST_F(AcqDataTest, AcqDataReportsWhatTheModuleHoldsWhenTheReplyIsNotTheOneAskedFor) {
  constexpr DWORD Capacity = 1024;
  const BYTE shortRecord[100] = {};
  const auto shortWaveInfo = [&] { SimSetReply(5, 2, 9, 0x40C, 0, shortRecord, sizeof shortRecord); };
  const struct {
    const char* Name;
    SimFault Fault;
    std::function<void()> Arrange;
    LONG Start;
    DWORD Points;
    WORD Direction, Result;
    DWORD Size;
    std::size_t Requests;
  } rows[] = {
      {"exact reply", {}, [] {}, 0, 100, 0, 0, 400, 1},
      {"all points", {}, [] {}, 0, 0, 0, 0, Capacity, 1},
      {"fewer points held", {}, [] {}, 950, 100, 0, 0, 100, 3},
      {"backwards", {}, [] {}, 10, 100, 1, 0, 22, 3},
      {"failed first request", {.Group = 10, .Times = 1, .Result = 0x1234}, [] {}, 950, 100, 2, 0x1234, 100, 3},
      {"no wave information", {.Group = 10, .Result = 0x1234}, [] { SimSetWaveInf(5, 2, {}); }, 0, 100, 0, 302, 0, 2},
      {"wave information shorter than a record", {}, shortWaveInfo, 950, 100, 0, 302, 200, 2},
      {"no memory for the second request", {}, [] { ArmBlockFault(1, false); }, 950, 100, 0, 400, 200, 2},
      {"count claimed beyond the buffer", {.ClaimCount = 0x80000000}, [] {}, 0, 0, 0, 0, Capacity, 1},
      {"twice the points beyond 32 bits", {}, [] {}, 5000, 0x80000000, 0, 0, 0, 3},
      {"type wider than 8 bytes", {.Group = 10, .Type = 0x40}, [] {}, 0, 100, 0, 0, 0, 2},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    Restart(row.Fault);
    row.Arrange();
    std::vector<BYTE> buffer(Capacity + 64, 0xCC);
    EXPECT_EQ(Database.GetAcqDataEx(5, 2, 0, 0, 5, row.Start, 6, row.Points, row.Direction, buffer.data(), Capacity,
                                    &Type, &Size, &Sync),
              row.Result);
    DisarmBlockFault();
    EXPECT_EQ(Size, row.Size);
    EXPECT_EQ(FirstWritten(buffer, Capacity), buffer.size());
    const std::vector<SimQuery> asked = SimQueries(5, 2);
    ASSERT_EQ(asked.size(), row.Requests);
    const LONG directions[] = {0, -1, 1};
    const LONG input[6] = {0, 5, row.Start, 6, row.Points == 0 ? -1 : LONG(row.Points), directions[row.Direction]};
    EXPECT_EQ(std::memcmp(asked[0].In.data(), input, sizeof input), 0);
    EXPECT_EQ(asked[0].Capacity, Capacity);
    if (row.Requests == 3) {
      EXPECT_EQ(asked[2].Capacity, 2 * 1000u + 16) << "width times PointNum, and 16";
      EXPECT_EQ(LoadWire<LONG>(asked[2].In.data(), 16), -1);
    }
  }
}

TEST_F(AcqDataTest, CurrentDataOfAGroupKeepsWholeMemberRepliesThatFit) {
  JoinSlots(Station, 2, 4);
  CModule& second = FileModule(Station, 3);
  const struct {
    const char* Name;
    SimFault Fault;
    WORD Slot;
    short Channel;
    DWORD Room;
    WORD Result;
    DWORD Size;
  } rows[] = {
      {"whole group", {}, 2, -1, 64, 0, 48},
      {"third member dropped", {}, 2, -1, 40, 0, 32},
      {"one channel", {}, 2, 3, 64, 502, 64},
      {"not the group's first", {}, 3, -1, 64, 502, 64},
      {"count claimed beyond a member", {.ClaimCount = 999}, 2, -1, 64, 0, 48},
      {"member fails", {.Result = 0x1234}, 2, -1, 64, 0x1234, 64},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    Restart(row.Fault, 3, 2); // three members of two doubles each
    second.Frontend = SimCreateFrontend({5, 3});
    std::vector<BYTE> buffer(row.Room + 16, 0xCC);
    EXPECT_EQ(Database.GetCurrentData(5, row.Slot, row.Channel, &(Size = row.Room), buffer.data(), &Type, &Sync),
              row.Result);
    EXPECT_EQ(Size, row.Size);
    EXPECT_EQ(FirstWritten(buffer, row.Result == 0 ? Size : 0), buffer.size());
    for (WORD member = 0; row.Result == 0 && member < Size / 16; ++member)
      EXPECT_EQ(LoadWire<double>(buffer.data(), member * 16 + 8), SimCurrentValue(member, 1));
  }
  ArmBlockFault(1, false);
  EXPECT_EQ(Database.GetCurrentData(5, 2, -1, &(Size = 64), nullptr, &Type, &Sync), 400);
  DisarmBlockFault();
}

TEST_F(AcqDataTest, CurrentDataOfAGroupRunningPastSlot8ReportsTheBytesAppended) {
  JoinSlots(Station, 6, 9);
  Station.ModelName[0] = '\0'; // no last slot: slot 8 joined to slot 9 ends nothing
  FileSimModule(Station, {5, 6, 2, 3});
  std::vector<BYTE> buffer(64, 0xCC);
  EXPECT_EQ(Database.GetCurrentData(5, 6, -1, &(Size = 64), buffer.data(), &Type, &Sync), 0);
  EXPECT_EQ(Size, 48u);
}

TEST_F(AcqDataTest, ScaleTableFollowsItsEnableByte) {
  Restart({.CntlId = 0x42A, .Result = 0x1111});
  CHNLINF table[2];
  std::memset(table, 0x5A, sizeof table);
  EXPECT_EQ(Database.SetScaleTbl(5, 2, 1, table, 2, 1, &Sync), 0);
  SimAddFault(5, 2, {.CntlId = 0x427, .Result = 0x2222});
  EXPECT_EQ(Database.SetScaleTbl(5, 2, 1, table, 2, 1, &Sync), 0x2222);
  const std::vector<SimQuery> asked = SimQueries(5, 2);
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(std::tie(asked[0].Cntl, asked[0].In), std::make_tuple(0x142A, std::vector<BYTE>{1}));
  EXPECT_EQ(std::tie(asked[1].Group, asked[1].Cntl, asked[1].InType, asked[1].Option, asked[1].Sync),
            std::make_tuple(0, 0x1427, 0, 4, &Sync));
  EXPECT_EQ(asked[1].In, std::vector<BYTE>(192, 0x5A));
}
