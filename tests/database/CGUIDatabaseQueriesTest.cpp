#include "tests/database/SimModuleFixture.h"
#include "tests/hooks/BlockFaults.h"
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>
#include <zodavudaz/platform/CommandLine.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

class QueriesTest : public SimModuleFixture {
protected:
  QueriesTest() : Station(FileStation(1, "Alpha")), Module(FileSimModule(Station, {0, 3})) {}
  ~QueriesTest() override { OverrideCommandLine(nullptr); }
  /// A fresh simulated module behind the module record, with fault added.
  void Restart(const SimFault& fault = {.Times = 0}) {
    SimReset();
    Module.Frontend = SimCreateFrontend({1, 3});
    SimAddFault(1, 3, fault);
  }
  CStation& Station;
  CModule& Module;
  void* Data = nullptr;
  DWORD Count = 0;
};

// Queries answer 205, acquisition data requests 502.
TEST_F(QueriesTest, UnfiledModuleOrOneWithoutFrontendAnswersItsCodeAndSendsNothing) {
  FileModule(Station, 2);
  BYTE buffer[12800];
  for (auto [station, slot] : {std::pair<WORD, WORD>{9, 3}, {1, 9}, {1, 2}}) {
    SCOPED_TRACE(slot);
    WORD word = 7;
    DWORD size = 64;
    _ModulePacket* reply = nullptr;
    EXPECT_EQ(Database.GuiQuery(station, slot, 0x10, &reply), 205);
    EXPECT_EQ(Database.GuiGetArray(station, slot, 0x10, &Data, &Count, 0), 205);
    EXPECT_EQ(Database.SettingQueryPointer(station, slot, 0x10, &Data, &Count), 205);
    EXPECT_EQ(Database.HelpQueryPointer(station, slot, &Data, &Count, &word), 205);
    EXPECT_EQ(word, 0);
    EXPECT_EQ(Database.GetSeqTable(station, slot, &Data, &Count), 205);
    EXPECT_EQ(Database.GetSeqMode(station, slot, &(word = 7)), 205);
    EXPECT_EQ(word, 7);
    EXPECT_EQ(Database.SyncExec(station, slot, 0x10, nullptr, 0xFF, 0), 205);
    EXPECT_EQ(Database.GetFrontendModule(station, slot), nullptr);
    EXPECT_EQ(Database.GetWaveInfo(station, slot, 0, 0, 0, reinterpret_cast<WAVEINF*>(buffer), &word, &Sync), 502);
    EXPECT_EQ(word, 0);
    EXPECT_EQ(Database.GetAcqInfo(station, slot, 0, 0, 0, reinterpret_cast<_AcqDataInfo*>(buffer), &(word = 7), &Sync),
              502);
    EXPECT_EQ(word, 0);
    EXPECT_EQ(Database.GetAcqDataEx(station, slot, 0, 0, 0, 0, 0, 10, 0, buffer, 64, &word, &size, &Sync), 502);
    EXPECT_EQ(Database.GetCurrentData(station, slot, -1, &size, buffer, &word, &Sync), 502);
    EXPECT_EQ(Database.SetScaleTbl(station, slot, 0, nullptr, 0, 1, &Sync), 502);
  }
  EXPECT_TRUE(SimQueries(1, 3).empty());
  EXPECT_EQ(Database.GetFrontendModule(1, 3), Module.Frontend);
}

TEST_F(QueriesTest, RequestsCarryTheirGroupControlAndInput) {
  _ModulePacket* reply = nullptr;
  WORD words[2] = {7, 8};
  auto array = [&](BYTE mode) { return [&, mode] { return Database.GuiGetArray(1, 3, 0x124, &Data, &Count, mode); }; };
  const struct {
    const char* CommandLine;
    std::function<WORD()> Call;
    WORD Group, Cntl;
    std::vector<BYTE> In;
  } rows[] = {
      {"app", [&] { return Database.GuiQuery(1, 3, 0x1123, &reply); }, 11, 0x1123, {}},
      {"app -g", array(0), 11, 0x124, {1}},
      {"app -g", array(5), 11, 0x124, {2}},
      {"app -G", array(5), 11, 0x124, {0}},
      {"C:\\my-graphs\\app.exe", array(5), 11, 0x124, {2}},
      {"app", [&] { return Database.SyncExec(1, 3, 0x126, words, 0x10, 2); }, 0, 0x126, {7, 0, 8, 0}},
      {"app", [&] { return Database.SettingQueryPointer(1, 3, 0x125, &Data, &Count); }, 10, 0x125, {}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Cntl * 1000 + row.In.size());
    Restart();
    OverrideCommandLine(row.CommandLine);
    ASSERT_EQ(row.Call(), 0);
    const std::vector<SimQuery> asked = SimQueries(1, 3);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(std::tie(asked[0].Group, asked[0].Cntl, asked[0].In, asked[0].Option),
              std::make_tuple(row.Group, row.Cntl, row.In, 0));
    EXPECT_EQ(asked[0].Sync, GetMgr()->GetRplySync());
  }
  EXPECT_EQ(Data, reinterpret_cast<const BYTE*>(SimHeldReply(1, 3)) + 32) << "the setting reply";
  EXPECT_EQ(Count, 4u);
}

// Table and mode come from the data that the frontend hands back by pointer, whole however many
// packets carried it.
TEST_F(QueriesTest, SequenceTableAndModeComeFromTheWholeReply) {
  const std::vector<BYTE> table = {1, 2, 3, 4, 5, 6, 7, 8};
  BYTE overlong[40] = {}; // a header of mode 2 saying 9 bytes follow, and 8
  overlong[24] = 2;
  overlong[28] = 9;
  BYTE words[40] = {};
  words[24] = 2;
  words[28] = 8;
  std::copy(table.begin(), table.end(), words + 32);
  const auto replyOverlong = [&] { SimSetReply(1, 3, 11, 0x400, 0, overlong, 40); };
  const auto replyWords = [&] { SimSetReply(1, 3, 11, 0x400, 0x10, words, 40); };
  const struct {
    const char* Name;
    SimFault Fault;
    std::function<void()> Arrange;
    WORD Result;
    bool Nulled;
    WORD ModeResult;
  } rows[] = {
      {"whole table", {}, [] {}, 0, false, 0},
      {"reply over five packets", {.PacketBytes = 8}, [] {}, 0, false, 0},
      {"reply of 16-bit words", {}, replyWords, 0, false, 0},
      {"elements claimed wider than held", {.Type = 0x32}, [] {}, 0, false, 0},
      {"empty table", {}, [] { SimSetSeqInfo(1, 3, 2, nullptr, 0); }, 205, true, 0},
      {"length beyond the reply", {}, replyOverlong, 205, true, 0},
      {"length and count beyond the reply", {.ClaimCount = 1000}, replyOverlong, 205, true, 0},
      {"reply cut inside its header", {.KeepBytes = 20}, [] {}, 205, true, 205},
      {"reply cut inside the mode", {.KeepBytes = 25}, [] {}, 205, true, 205},
      {"reply cut right after the mode", {.KeepBytes = 26}, [] {}, 205, true, 0},
      {"reply cut inside the table length", {.KeepBytes = 31}, [] {}, 205, true, 0},
      {"count claims less than the header", {.ClaimCount = 10}, [] {}, 205, true, 205},
      {"13 16-bit words reach the mode", {.ClaimCount = 13}, replyWords, 205, true, 0},
      {"width field above 3", {.Type = 0x40}, [] {}, 205, true, 205},
      {"no-data type 0xFF", {.Type = 0xFF}, [] {}, 205, true, 205},
      {"failed request", {.Result = 0x1234}, [] {}, 0x1234, false, 0x1234},
      {"no memory for the copy", {}, [] { ArmBlockFault(1, false); }, 400, false, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    Restart(row.Fault);
    SimSetSeqInfo(1, 3, 2, table.data(), 8);
    row.Arrange();
    BYTE unchanged = 0;
    void* copy = &unchanged;
    EXPECT_EQ(Database.GetSeqTable(1, 3, &copy, &Count), row.Result);
    DisarmBlockFault();
    if (row.Result == 0) {
      EXPECT_EQ(std::vector<BYTE>(static_cast<BYTE*>(copy), static_cast<BYTE*>(copy) + Count), table);
      ::operator delete(copy);
    } else {
      EXPECT_EQ(copy, row.Nulled ? nullptr : &unchanged);
    }
    WORD mode = 7;
    EXPECT_EQ(Database.GetSeqMode(1, 3, &mode), row.ModeResult);
    EXPECT_EQ(mode, row.ModeResult == 0 ? 2 : 7);
  }
}

TEST_F(QueriesTest, HelpComesFromTheParamGroupWhenTheQueryGroupFails) {
  SimSetHelp(1, 3, "Gain");
  const struct {
    WORD QueryResult, ParamResult, Result, FromQuery;
  } rows[] = {{0, 0, 0, 1}, {0x1234, 0, 0, 0}, {0x1234, 0x4321, 0x4321, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Result + row.QueryResult);
    SimClearFaults(1, 3);
    SimAddFault(1, 3, {.Group = 10, .Result = row.QueryResult});
    SimAddFault(1, 3, {.Group = 9, .Result = row.ParamResult});
    WORD fromQuery = 7;
    Data = nullptr;
    ASSERT_EQ(Database.HelpQueryPointer(1, 3, &Data, &Count, &fromQuery), row.Result);
    EXPECT_EQ(fromQuery, row.FromQuery);
    if (row.Result == 0) {
      EXPECT_EQ(std::string(static_cast<const char*>(Data), Count), std::string("Gain", 5));
    }
  }
}

TEST_F(QueriesTest, NamesCarryTheSlotOrExtraNumberBeforeTheProduct) {
  std::strcpy(Module.ProductName, "ABC");
  std::strcpy(FileModule(Station, 0x23).ProductName, "ABC");
  std::memset(FileModule(Station, 4).ProductName, 'Z', sizeof Module.ProductName);
  auto moduleName = [&](WORD slot) {
    CString name = "old";
    Database.GuiGetModuleName(1, slot, name);
    return std::string(name);
  };
  // A full product name has no zero.
  EXPECT_EQ((std::vector<std::string>{moduleName(3), moduleName(0x23), moduleName(4), moduleName(9)}),
            (std::vector<std::string>{"Slot 3 ABC", "2:ABC", "Slot 4 " + std::string(32, 'Z'), ""}));
  SimSetLanguage(17);
  EXPECT_EQ(moduleName(3), "\xBD\xDB\xAF\xC4 3 ABC");
  CString name = "old";
  Database.GuiGetStationName(1, name);
  EXPECT_STREQ(name, "Alpha");
  Database.GuiGetStationName(2, name);
  EXPECT_STREQ(name, "");
}
