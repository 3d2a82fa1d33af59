#include "packets/WireField.h"
#include "platform/BlockAllocator.h"
#include "tests/database/SimModuleFixture.h"

#include <functional>

namespace {
LONG LoadLong(const std::vector<BYTE>& in, std::size_t index) {
  LONG value = 0;
  std::memcpy(&value, in.data() + index * sizeof value, sizeof value);
  return value;
}
} // namespace

class AcqDataTest : public SimModuleFixture {
protected:
  AcqDataTest() : Station(FileStation(5)) {}

  static SimModuleConfig ConfigOf(WORD slot, WORD members, WORD channels) {
    SimModuleConfig config;
    config.Station = 5;
    config.ModuleId = slot;
    config.Members = members;
    config.Channels = channels;
    return config;
  }
  CModule& FileAcqModule(WORD slot, WORD members = 1, WORD channels = 4) {
    return FileSimModule(Station, ConfigOf(slot, members, channels));
  }
  /// A fresh simulated module behind module, forgetting every reply set before.
  static void Restart(CModule& module, WORD members) {
    SimReset();
    module.Frontend = SimCreateFrontend(ConfigOf(module.ModuleId, members, module.AcqChannel));
  }
  static void AddFault(WORD group, WORD cntlId, const std::function<void(SimFault&)>& shape) {
    SimFault fault = FaultOn(group, cntlId);
    shape(fault);
    SimAddFault(5, 2, fault);
  }

  CStation& Station;
  WORD Type = 0xBEEF;
  DWORD Size = 0xBEEF;
  WORD Count = 0xBEEF;
};

TEST_F(AcqDataTest, UnfiledModuleOrOneWithoutFrontendAnswers502AndSendsNothing) {
  FileModule(Station, 3);
  FileAcqModule(2);
  WAVEINF wave[100];
  _AcqDataInfo info[4];
  BYTE buffer[64];
  for (WORD slot : {3, 9}) {
    SCOPED_TRACE(slot);
    EXPECT_EQ(Database.GetWaveInfo(5, slot, 0, 0, 0, wave, &Count, &Sync), 502);
    EXPECT_EQ(Count, 0);
    Count = 7;
    EXPECT_EQ(Database.GetAcqInfo(5, slot, 0, 0, 0, info, &Count, &Sync), 502);
    EXPECT_EQ(Count, 0);
    EXPECT_EQ(Database.GetAcqDataEx(5, slot, 0, 0, 0, 0, 0, 10, 0, buffer, 64, &Type, &Size, &Sync), 502);
    Size = 64;
    EXPECT_EQ(Database.GetCurrentData(5, slot, -1, &Size, buffer, &Type, &Sync), 502);
    EXPECT_EQ(Database.SetScaleTbl(5, slot, 0, nullptr, 0, 1, &Sync), 502);
  }
  EXPECT_TRUE(SimQueries(5, 2).empty());
}

TEST_F(AcqDataTest, WaveInfoCountsWholeRecordsThatFitTheRoom) {
  CModule& module = FileAcqModule(2, 2);
  const std::vector<BYTE> bytes300(300, 0x11);
  struct Row {
    const char* Name;
    std::function<void()> Arrange;
    WORD Result;
    WORD Count;
  };
  const Row rows[] = {
      {"generated", [] {}, 0, 4}, // four channels of member 1
      {"300 bytes", [&] { SimSetReply(5, 2, 9, 0x40C, 0x00, bytes300.data(), 300); }, 0, 2},
      {"no records", [] { SimSetWaveInf(5, 2, {}); }, 302, 0},
      {"failed request", [] { AddFault(9, 0x40C, [](SimFault& f) { f.Result = 0x1234; }); }, 302, 0},
      {"claims a million bytes", [] { AddFault(9, 0x40C, [](SimFault& f) { f.ClaimCount = 1000000; }); }, 0, 100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    Restart(module, 2);
    row.Arrange();
    std::vector<BYTE> room = Marked(12800 + 64);
    EXPECT_EQ(Database.GetWaveInfo(5, 2, 1, -1, 7, reinterpret_cast<WAVEINF*>(room.data()), &Count, &Sync),
              row.Result);
    EXPECT_EQ(Count, row.Count);
    EXPECT_EQ(FirstWritten(room, 12800), room.size());
  }
  const SimQuery asked = SimQueries(5, 2).back();
  EXPECT_EQ(asked.Group, 9);
  EXPECT_EQ(asked.Cntl, 0x140C);
  const LONG input[2] = {-1, 7};
  EXPECT_EQ(asked.In, std::vector<BYTE>(reinterpret_cast<const BYTE*>(input), reinterpret_cast<const BYTE*>(input + 2)));
  EXPECT_EQ(asked.InType, 0x21);
  EXPECT_EQ(asked.Capacity, 12800u);
  EXPECT_EQ(asked.Sync, &Sync);
}

TEST_F(AcqDataTest, AcqInfoConvertsValuesByTheirDataType) {
  FileAcqModule(2);
  WAVEINF signedWords = {}, bytes = {}, unknown = {};
  signedWords.DataType = 0x11;
  std::memset(signedWords.Value4, 0xFF, 2);
  signedWords.WordA = 3;
  signedWords.ByteD = 9;
  signedWords.PointNum = 1000;
  signedWords.DwordF = 6;
  signedWords.DwordQ = 8;
  signedWords.WordM = 4;
  bytes.DataType = 0x01;
  bytes.Value0[0] = 0xFF;
  unknown.DataType = 0x05;
  unknown.DwordK = 11;
  SimSetWaveInf(5, 2, {signedWords, bytes, unknown});
  std::vector<BYTE> room = Marked(5 * sizeof(_AcqDataInfo));
  _AcqDataInfo* info = reinterpret_cast<_AcqDataInfo*>(room.data());
  ASSERT_EQ(Database.GetAcqInfo(5, 2, 0, -1, 0, info, &Count, &Sync), 0);
  ASSERT_EQ(Count, 3);
  EXPECT_EQ(info[0].Values[4], -1.0);
  EXPECT_EQ(info[0].Values[0], 0.0);
  EXPECT_EQ(info[0].WordA, 3);
  EXPECT_EQ(info[0].DataType, 0x11);
  EXPECT_EQ(info[0].ByteD, 9);
  EXPECT_EQ(info[0].PointNum, 1000u);
  EXPECT_EQ(info[0].DwordEToJ[1], 6u);
  EXPECT_EQ(info[0].DwordNToQ[3], 8u);
  EXPECT_EQ(info[0].WordM, 4);
  EXPECT_EQ(info[1].Values[0], 255.0);
  EXPECT_EQ(info[2].DwordK, 11u);
  EXPECT_EQ(FirstWritten(room, 2 * sizeof(_AcqDataInfo) + offsetof(_AcqDataInfo, Values)), room.size())
      << "the doubles of an unknown type stay unwritten";
  EXPECT_EQ(SimQueries(5, 2).back().Capacity, 4 * 128u) << "one member of four channels";

  AddFault(9, 0x40C, [](SimFault& f) { f.ClaimCount = 1000000; });
  ASSERT_EQ(Database.GetAcqInfo(5, 2, 0, -1, 0, info, &Count, &Sync), 0);
  EXPECT_EQ(Count, 4) << "no more records than the scratch buffer holds";
  EXPECT_EQ(FirstWritten(room, 4 * sizeof(_AcqDataInfo)), room.size());
  SimClearFaults(5, 2);
  SimSetWaveInf(5, 2, {});
  EXPECT_EQ(Database.GetAcqInfo(5, 2, 0, -1, 0, info, &Count, &Sync), 302);
  AddFault(9, 0x40C, [](SimFault& f) { f.Result = 0x1234; });
  EXPECT_EQ(Database.GetAcqInfo(5, 2, 0, -1, 0, info, &Count, &Sync), 0x1234);
  ArmBlockFault(1, false);
  EXPECT_EQ(Database.GetAcqInfo(5, 2, 0, -1, 0, info, &Count, &Sync), 400);
  EXPECT_EQ(Count, 0);
}

TEST_F(AcqDataTest, AcqDataReportsWhatTheModuleHoldsWhenTheReplyIsNotTheOneAskedFor) {
  CModule& module = FileAcqModule(2); // 1000 points of 16-bit pairs
  constexpr DWORD Capacity = 1024;
  auto failAcqOnce = [] { AddFault(10, 0x40C, [](SimFault& f) { f.Result = 0x1234, f.Times = 1; }); };
  struct Row {
    const char* Name;
    std::function<void()> Arrange;
    LONG Start;
    DWORD Points;
    WORD Direction;
    WORD Result;
    DWORD Size;
    std::size_t Requests;
  };
  const Row rows[] = {
      {"exact reply", [] {}, 0, 100, 0, 0, 400, 1},
      {"all points", [] {}, 0, 0, 0, 0, Capacity, 1},
      {"fewer points held", [] {}, 950, 100, 0, 0, 100, 3},
      {"backwards", [] {}, 10, 100, 1, 0, 22, 3},
      {"failed first request", failAcqOnce, 950, 100, 2, 0x1234, 100, 3},
      {"no wave information", [&] { failAcqOnce(), SimSetWaveInf(5, 2, {}); }, 0, 100, 0, 302, 0, 2},
      {"wave information shorter than a record",
       [] {
         const BYTE shortRecord[100] = {};
         SimSetReply(5, 2, 9, 0x40C, 0x00, shortRecord, sizeof shortRecord);
       },
       950, 100, 0, 302, 200, 2},
      {"no memory for the second request", [] { ArmBlockFault(1, false); }, 950, 100, 0, 400, 200, 2},
      {"count claimed beyond the buffer", [] { AddFault(10, 0x40C, [](SimFault& f) { f.ClaimCount = 0x80000000; }); },
       0, 0, 0, 0, Capacity, 1},
      {"twice the points beyond 32 bits", [] {}, 5000, 0x80000000, 0, 0, 0, 3},
      {"type wider than 8 bytes", [] { AddFault(10, 0x40C, [](SimFault& f) { f.Type = 0x40; }); }, 0, 100, 0, 0, 0,
       2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    Restart(module, 1);
    row.Arrange();
    std::vector<BYTE> buffer = Marked(Capacity + 64);
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
      EXPECT_EQ(asked[1].Group, 9);
      EXPECT_EQ(asked[2].Capacity, 2 * 1000u + 16) << "width times PointNum, and 16";
      EXPECT_EQ(LoadLong(asked[2].In, 4), -1);
    }
  }
}

TEST_F(AcqDataTest, CurrentDataOfAGroupKeepsWholeMemberRepliesThatFit) {
  JoinSlots(Station, 2, 4);
  FileAcqModule(2, 3, 2); // three members of two doubles each
  FileAcqModule(3);
  FileAcqModule(6, 3, 2);
  struct Row {
    const char* Name;
    WORD Slot;
    short Channel;
    DWORD Room;
    std::function<void()> Arrange;
    WORD Result;
    DWORD Size;
  };
  const Row rows[] = {
      {"whole group", 2, -1, 64, [] {}, 0, 48},
      {"third member dropped", 2, -1, 40, [] {}, 0, 32},
      {"one channel", 2, 3, 64, [] {}, 502, 64},
      {"not the group's first", 3, -1, 64, [] {}, 502, 64},
      {"count claimed beyond a member", 2, -1, 64, [] { AddFault(10, 0x40D, [](SimFault& f) { f.ClaimCount = 999; }); },
       0, 48},
      {"member fails", 2, -1, 64, [] { AddFault(10, 0x40D, [](SimFault& f) { f.Result = 0x1234; }); }, 0x1234, 64},
      {"no scratch memory", 2, -1, 64, [] { ArmBlockFault(1, false); }, 400, 64},
      {"no last member before slot 9", 6, -1, 64,
       [&] {
         JoinSlots(Station, 6, 9);
         std::strcpy(Station.ModelName, "");
       },
       0, 48},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    SimClearFaults(5, 2);
    row.Arrange();
    std::vector<BYTE> buffer = Marked(row.Room + 16);
    Size = row.Room;
    EXPECT_EQ(Database.GetCurrentData(5, row.Slot, row.Channel, &Size, buffer.data(), &Type, &Sync), row.Result);
    DisarmBlockFault();
    EXPECT_EQ(Size, row.Size);
    EXPECT_EQ(FirstWritten(buffer, row.Result == 0 ? Size : 0), buffer.size());
    for (WORD member = 0; row.Result == 0 && member < Size / 16; ++member)
      EXPECT_EQ(LoadWire<double>(buffer.data(), member * 16 + 8), SimCurrentValue(member, 1));
  }
}

TEST_F(AcqDataTest, CurrentDataOfAModuleAloneIsItsReplyInBytes) {
  FileAcqModule(2, 1, 3);
  std::vector<BYTE> buffer = Marked(64);
  Size = 20;
  ASSERT_EQ(Database.GetCurrentData(5, 2, -1, &Size, buffer.data(), &Type, &Sync), 0);
  EXPECT_EQ(Size, 16u) << "two whole doubles of three fit 20 bytes";
  EXPECT_EQ(Type, 0x32);
  EXPECT_EQ(FirstWritten(buffer, 20), buffer.size());
  const SimQuery asked = SimQueries(5, 2).back();
  EXPECT_EQ(asked.Cntl, 0x40D);
  EXPECT_EQ(asked.In, std::vector<BYTE>{0xFF});
  EXPECT_EQ(asked.Capacity, 20u);
}

TEST_F(AcqDataTest, ScaleTableFollowsItsEnableByte) {
  FileAcqModule(2);
  CHNLINF table[2];
  std::memset(table, 0x5A, sizeof table);
  AddFault(0, 0x42A, [](SimFault& f) { f.Result = 0x1111; });
  EXPECT_EQ(Database.SetScaleTbl(5, 2, 1, table, 2, 1, &Sync), 0);
  AddFault(0, 0x427, [](SimFault& f) { f.Result = 0x2222; });
  EXPECT_EQ(Database.SetScaleTbl(5, 2, 1, table, 2, 1, &Sync), 0x2222);
  const std::vector<SimQuery> asked = SimQueries(5, 2);
  ASSERT_EQ(asked.size(), 4u);
  EXPECT_EQ(asked[0].Cntl, 0x142A);
  EXPECT_EQ(asked[0].In, std::vector<BYTE>{1});
  EXPECT_EQ(asked[1].Cntl, 0x1427);
  EXPECT_EQ(asked[1].In, std::vector<BYTE>(192, 0x5A));
  EXPECT_EQ(asked[1].InType, 0x00);
  EXPECT_EQ(asked[1].Option, 4);
  EXPECT_EQ(asked[1].Sync, &Sync);
}
