#include "packets/siblings/CommunicationLibrary.h"
#include "platform/BlockAllocator.h"
#include "platform/CommandLine.h"
#include "tests/database/SimModuleFixture.h"

#include <functional>

namespace {
/// A sequence information block: mode at 24, the length field L at 28, then table.
std::vector<BYTE> SeqBlock(WORD mode, DWORD length, const std::vector<BYTE>& table) {
  std::vector<BYTE> block(32);
  std::memcpy(&block[24], &mode, sizeof mode);
  std::memcpy(&block[28], &length, sizeof length);
  block.insert(block.end(), table.begin(), table.end());
  return block;
}
} // namespace

class QueriesTest : public SimModuleFixture {
protected:
  QueriesTest() { Module = &FileSimModule(FileStation(1, "Alpha"), 3); }
  ~QueriesTest() override { OverrideCommandLine(nullptr); }
  /// A fresh simulated module behind the module record.
  void Restart() {
    SimReset();
    Module->Frontend = SimCreateFrontend(SimModuleConfig{1, 3});
  }
  CModule* Module;
};

TEST_F(QueriesTest, UnfiledModuleOrOneWithoutFrontendAnswers205AndSendsNothing) {
  CStation* station = nullptr;
  Database.GetStationInf(1, &station);
  FileModule(*station, 2);
  const std::pair<WORD, WORD> modules[] = {{9, 3}, {1, 9}, {1, 2}};
  for (auto [stationId, slot] : modules) {
    SCOPED_TRACE(slot);
    void* data = nullptr;
    DWORD count = 0;
    WORD word = 7;
    _ModulePacket* reply = nullptr;
    EXPECT_EQ(Database.GuiQuery(stationId, slot, 0x10, &reply), 205);
    EXPECT_EQ(Database.GuiGetArray(stationId, slot, 0x10, &data, &count, 0), 205);
    EXPECT_EQ(Database.SettingQueryPointer(stationId, slot, 0x10, &data, &count), 205);
    EXPECT_EQ(Database.HelpQueryPointer(stationId, slot, &data, &count, &word), 205);
    EXPECT_EQ(word, 0);
    EXPECT_EQ(Database.GetSeqTable(stationId, slot, &data, &count), 205);
    word = 7;
    EXPECT_EQ(Database.GetSeqMode(stationId, slot, &word), 205);
    EXPECT_EQ(word, 7);
    EXPECT_EQ(Database.SyncExec(stationId, slot, 0x10, nullptr, 0xFF, 0), 205);
    EXPECT_EQ(Database.GetFrontendModule(stationId, slot), nullptr);
  }
  EXPECT_TRUE(SimQueries(1, 3).empty());
  EXPECT_EQ(Database.GetFrontendModule(1, 3), Module->Frontend);
}

TEST_F(QueriesTest, RequestsCarryTheirGroupControlAndInput) {
  void* data = nullptr;
  DWORD count = 0;
  _ModulePacket* reply = nullptr;
  WORD words[2] = {7, 8};
  struct Row {
    const char* Name;
    const char* CommandLine;
    std::function<WORD()> Call;
    WORD Group;
    WORD Cntl;
    std::vector<BYTE> In;
  };
  const Row rows[] = {
      {"gui query", "app", [&] { return Database.GuiQuery(1, 3, 0x1123, &reply); }, 11, 0x1123, {}},
      {"array, mode 0", "app -g", [&] { return Database.GuiGetArray(1, 3, 0x124, &data, &count, 0); }, 11, 0x124, {1}},
      {"array, -g", "app -g", [&] { return Database.GuiGetArray(1, 3, 0x124, &data, &count, 5); }, 11, 0x124, {2}},
      {"array, -G only", "app -G", [&] { return Database.GuiGetArray(1, 3, 0x124, &data, &count, 5); }, 11, 0x124, {0}},
      {"array, -g in the path", "C:\\my-graphs\\app.exe",
       [&] { return Database.GuiGetArray(1, 3, 0x124, &data, &count, 5); }, 11, 0x124, {2}},
      {"exec", "app", [&] { return Database.SyncExec(1, 3, 0x126, words, 0x10, 2); }, 0, 0x126, {7, 0, 8, 0}},
      {"setting", "app", [&] { return Database.SettingQueryPointer(1, 3, 0x125, &data, &count); }, 10, 0x125, {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    Restart();
    OverrideCommandLine(row.CommandLine);
    ASSERT_EQ(row.Call(), 0);
    const std::vector<SimQuery> queries = SimQueries(1, 3);
    ASSERT_EQ(queries.size(), 1u);
    EXPECT_EQ(queries[0].Group, row.Group);
    EXPECT_EQ(queries[0].Cntl, row.Cntl);
    EXPECT_EQ(queries[0].In, row.In);
    EXPECT_EQ(queries[0].Sync, GetMgr()->GetRplySync());
    EXPECT_EQ(queries[0].Option, 0);
  }
  EXPECT_EQ(data, reinterpret_cast<const BYTE*>(SimHeldReply(1, 3)) + 32) << "the setting reply";
  EXPECT_EQ(count, 4u);
}

TEST_F(QueriesTest, HelpComesFromTheParamGroupWhenTheQueryGroupFails) {
  SimSetHelp(1, 3, "Gain");
  void* data = nullptr;
  DWORD count = 0;
  WORD fromQuery = 7;
  ASSERT_EQ(Database.HelpQueryPointer(1, 3, &data, &count, &fromQuery), 0);
  EXPECT_EQ(fromQuery, 1);
  SimFault fault = FaultOn(10, 0x40E);
  fault.Result = 0x1234;
  SimAddFault(1, 3, fault);
  ASSERT_EQ(Database.HelpQueryPointer(1, 3, &data, &count, &fromQuery), 0);
  EXPECT_EQ(fromQuery, 0);
  EXPECT_STREQ(static_cast<const char*>(data), "Gain");
  EXPECT_EQ(count, 5u);
  fault.Group = 9;
  fault.Result = 0x4321;
  SimAddFault(1, 3, fault);
  EXPECT_EQ(Database.HelpQueryPointer(1, 3, &data, &count, &fromQuery), 0x4321);
  EXPECT_EQ(fromQuery, 0);
}

TEST_F(QueriesTest, SequenceTableIsCopiedOnlyWhenTheReplyHoldsIt) {
  const std::vector<BYTE> table = {1, 2, 3, 4, 5, 6, 7, 8};
  struct Row {
    const char* Name;
    std::function<void()> Arrange;
    WORD Result;
    bool TableNulled;
  };
  auto fault = [](DWORD keep, WORD type, DWORD claim, WORD result) {
    SimFault made = FaultOn(11, 0x400);
    made.KeepBytes = keep;
    made.Type = type;
    made.ClaimCount = claim;
    made.Result = result;
    SimAddFault(1, 3, made);
  };
  const Row rows[] = {
      {"whole table", [] {}, 0, false},
      {"elements claimed wider than held", [&] { fault(SimAll, 0x32, SimAll, 0); }, 0, false},
      {"empty table", [] { SimSetSeqInfo(1, 3, 0, nullptr, 0); }, 205, true},
      {"length beyond the reply",
       [&] {
         const std::vector<BYTE> block = SeqBlock(0, 100, table);
         SimSetReply(1, 3, 11, 0x400, 0x00, block.data(), static_cast<DWORD>(block.size()));
       },
       205, true},
      {"reply cut inside its header", [&] { fault(20, SimAny, SimAll, 0); }, 205, true},
      {"count claims less than the header", [&] { fault(SimAll, SimAny, 10, 0); }, 205, true},
      {"failed request", [&] { fault(SimAll, SimAny, SimAll, 0x1234); }, 0x1234, false},
      {"no memory for the copy", [] { ArmBlockFault(1, false); }, 400, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    Restart();
    SimSetSeqInfo(1, 3, 2, table.data(), 8);
    row.Arrange();
    BYTE unchanged = 0;
    void* copy = &unchanged;
    DWORD size = 0;
    EXPECT_EQ(Database.GetSeqTable(1, 3, &copy, &size), row.Result);
    DisarmBlockFault();
    if (row.Result == 0) {
      ASSERT_EQ(size, 8u);
      EXPECT_EQ(std::vector<BYTE>(static_cast<BYTE*>(copy), static_cast<BYTE*>(copy) + 8), table);
      ::operator delete(copy);
    } else {
      EXPECT_EQ(copy, row.TableNulled ? nullptr : &unchanged);
    }
  }
}

TEST_F(QueriesTest, SequenceModeIsReadFromTheHeaderAndLeftOnFailure) {
  SimSetSeqInfo(1, 3, 2, nullptr, 0);
  WORD mode = 7;
  ASSERT_EQ(Database.GetSeqMode(1, 3, &mode), 0);
  EXPECT_EQ(mode, 2);
  SimFault fault = FaultOn(11, 0x400);
  fault.KeepBytes = 25;
  fault.Times = 1;
  SimAddFault(1, 3, fault);
  mode = 7;
  EXPECT_EQ(Database.GetSeqMode(1, 3, &mode), 205);
  fault.Result = 0x1234;
  SimAddFault(1, 3, fault);
  EXPECT_EQ(Database.GetSeqMode(1, 3, &mode), 0x1234);
  EXPECT_EQ(mode, 7);
}

TEST_F(QueriesTest, NamesCarryTheSlotOrExtraNumberBeforeTheProduct) {
  std::strcpy(Module->ProductName, "ABC");
  CStation* station = nullptr;
  Database.GetStationInf(1, &station);
  CModule& extra = FileModule(*station, 0x23);
  std::strcpy(extra.ProductName, "ABC");
  std::memset(FileModule(*station, 4).ProductName, 'Z', sizeof extra.ProductName);
  CString name = "old";
  Database.GuiGetModuleName(1, 3, name);
  EXPECT_STREQ(name, "Slot 3 ABC");
  Database.GuiGetModuleName(1, 0x23, name);
  EXPECT_STREQ(name, "2:ABC");
  Database.GuiGetModuleName(1, 4, name);
  EXPECT_EQ(name, CString("Slot 4 ") + CString('Z', 32)) << "a full product name has no zero";
  SimSetLanguage(17);
  Database.GuiGetModuleName(1, 3, name);
  EXPECT_STREQ(name, "\xBD\xDB\xAF\xC4 3 ABC");
  Database.GuiGetModuleName(1, 9, name);
  EXPECT_STREQ(name, "");
  Database.GuiGetStationName(1, name);
  EXPECT_STREQ(name, "Alpha");
  Database.GuiGetStationName(2, name);
  EXPECT_STREQ(name, "");
}
