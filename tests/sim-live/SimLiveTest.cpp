#include <zodavudaz/sim/SimLive.h>

#include "tests/TempFiles.h"
#include <zodavudaz/control/CModuleCntl.h>
#include <zodavudaz/control/StartControls.h>
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/packets/siblings/SequenceLibrary.h>
#include <zodavudaz/sim/VirtualStationFile.h>
#include <zodavudaz/sim/zodavudaz_sim_c.h>
#include <zodavudaz/zodavudaz_c.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {
/// Station 1 with module 1 of the given keys, two channels of doubles, 10 points.
std::string Description(const std::string& moduleKeys) {
  return "[Stations]\nNames=A\n\n[StationA]\nId=1\nModel=ZI400\nModules=1\n\n"
         "[StationA-Module1]\nProduct=P\nProductWord=1\nChannels=2\nPoints=10\nDataType=0x32\n" +
         moduleKeys;
}

/// Hands every announcement to CModuleCntl, as an application does, and keeps the numbers it read.
class Announcements : public CModuleCntl {
public:
  void RplyMeasure() override {
    SimAcquisition acquisition;
    if (SimReadAcqComplete(Packet, acquisition))
      Seen.push_back(acquisition.Number);
  }
  static void Receive(const _ModulePacket* packet, void* context) {
    auto& self = *static_cast<Announcements*>(context);
    const std::lock_guard<std::mutex> lock(self.Mutex);
    self.Interpret(const_cast<_ModulePacket*>(packet));
  }
  std::vector<DWORD> Numbers() {
    const std::lock_guard<std::mutex> lock(Mutex);
    return Seen;
  }
  std::mutex Mutex;
  std::vector<DWORD> Seen;
};

class SimLiveTest : public ::testing::Test {
protected:
  ~SimLiveTest() override { Unload(); }

  void Unload() {
    SimRemoveReceiver(Receiver);
    Heard.Seen.clear();
    Database.Exit();
    ReleaseVirtualStations(Database);
    SimReset();
  }

  void Load(const std::string& moduleKeys, bool stepped = true) {
    Database.Init();
    SimSetSteppedClock(stepped);
    WriteAll(Path, Description(moduleKeys));
    CString message;
    ASSERT_EQ(LoadVirtualStations(Path.c_str(), Database, message), 1) << static_cast<LPCTSTR>(message);
    Receiver = SimAddReceiver(Announcements::Receive, &Heard);
  }

  /// Channel's ten points as read, minimum and maximum of each, and the wave information's number.
  std::vector<double> Read(WORD channel, DWORD& number) {
    std::vector<WAVEINF> info(100);
    WORD count = 0, type = 0;
    DWORD size = 0;
    CRplySync sync;
    EXPECT_EQ(Database.GetWaveInfo(1, 1, 0, channel, 0, info.data(), &count, &sync), 0);
    number = info[0].DwordI;
    std::vector<double> points(20);
    EXPECT_EQ(Database.GetAcqDataEx(1, 1, 0, channel, 0, 0, 0, -1, 0, points.data(), 160, &type, &size, &sync), 0);
    points.resize(size / sizeof(double));
    return points;
  }

  TempFolder Folder;
  const std::string Path = Folder / "Stations.ini";
  CGUIDatabase& Database = *GetDataBase();
  Announcements Heard;
  DWORD Receiver = 0;
};

struct SequenceRow {
  const char* Name;
  const char* Keys;
  /// Numbers announced 0.035 s after the start, and whether the sequence then still runs.
  std::vector<DWORD> Numbers;
  bool RunsAfter;
  /// A scripted answer that the sequence does not run, which outranks the running one.
  bool ScriptedStill = false;
};

const SequenceRow SequenceRows[] = {
    {"ContinuousEveryPeriod", "Acquisition=continuous\nPeriod=0.01\n", {1, 2, 3}, true},
    {"SingleOnceThenStops", "Acquisition=single\nPeriod=0.01\n", {1}, false},
    {"StillRunsWithoutAcquiring", "", {}, true},
    {"ScriptedAnswerTakesPrecedence", "Acquisition=continuous\nPeriod=0.01\n", {1, 2, 3}, true, true},
};

TEST_F(SimLiveTest, StartAnnouncesInOrderAndStopEnds) {
  for (const SequenceRow& row : SequenceRows) {
    SCOPED_TRACE(row.Name);
    Load(row.Keys);
    if (row.ScriptedStill)
      SimSetSeqRun(1, 1, false);
    EXPECT_EQ(ZocStartButton(1, 1), 0);
    SimAdvance(0.035);
    EXPECT_EQ(Heard.Numbers(), row.Numbers);
    EXPECT_EQ(ZosGetMgr()->IsSeqRun(1, 1) != 0, row.RunsAfter && !row.ScriptedStill);
    EXPECT_EQ(ZosGetMgr()->IsMeasEvent() != 0, row.RunsAfter);
    EXPECT_EQ(ZocStopButton(1, 1), 0);
    SimAdvance(0.1);
    EXPECT_EQ(Heard.Numbers(), row.Numbers);
    EXPECT_EQ(ZosGetMgr()->IsSeqRun(1, 1), FALSE);
    EXPECT_EQ(ZosGetMgr()->IsMeasEvent(), FALSE);
    // A new start counts from 1 again; the stop without a start changed nothing.
    ZocStartButton(1, 1);
    SimAdvance(0.015);
    EXPECT_EQ(SimLatestAcquisition(1, 1).Number, row.Numbers.empty() ? 0u : 1u);
    Unload();
  }
}

TEST_F(SimLiveTest, EachReadIsOneAcquisitionContinuingTheSignal) {
  // Channel 0's ramp of 2 per point (-1000 at signal point 0) names its signal point by value.
  Load("Acquisition=continuous\nPeriod=0.5\nWave=ramp 1000 1\nWave1=steps\nSeed=7\n");
  ZocStartButton(1, 1);
  for (DWORD number = 1; number <= 3; ++number) {
    SimAdvance(0.5);
    DWORD told = 0;
    const std::vector<double> steps = Read(1, told);
    ASSERT_EQ(steps.size(), 20u);
    EXPECT_EQ(told, number);
    // Steps: 1 + (signal point + 10 x channel + seed) % 198, minus and plus 1.
    for (DWORD point = 0; point < 10; ++point)
      EXPECT_EQ(steps[2 * point + 1], 2.0 + ((number - 1) * 10 + point + 10 + 7) % 198) << point;
  }
  // The current value follows the present moment: 3.25 periods in, signal point 32.
  SimAdvance(0.125);
  double current[2] = {};
  WORD type = 0;
  DWORD size = sizeof current;
  CRplySync sync;
  EXPECT_EQ(Database.GetCurrentData(1, 1, -1, &size, current, &type, &sync), 0);
  EXPECT_EQ(current[0], 2.0 * 32 - 1000);
}

struct ReentryState {
  DWORD Self = 0;
  WORD WaitResult = 0;
  int Calls = 0;
  /// zdz_exit, zdz_exit_front_end, zdz_exit_multi_module, zdz_sim_release_virtual_stations, with
  /// the last-error text of each.
  std::vector<std::pair<int32_t, std::string>> Ends;
};

// Inside a receiver: waiting answers an order error, the C calls that end frontends and the release
// too, removing itself returns at once, and ending the database stops the thread without waiting
// for itself.
void Reenter(const _ModulePacket*, void* context) {
  auto& state = *static_cast<ReentryState*>(context);
  ++state.Calls;
  SimAcquisition latest;
  state.WaitResult = SimWaitForAcquisition(1, 1, 0, 10000, latest);
  EXPECT_TRUE(SimInsideReceiver());
  EXPECT_TRUE(SimRemoveReceiver(state.Self));
  for (int32_t (*end)() : {+[] { return zdz_exit(); }, +[] { return zdz_exit_front_end(1, 1); },
                           +[] { return zdz_exit_multi_module(1, 1); }}) {
    const int32_t status = end();
    state.Ends.emplace_back(status, zdz_last_error());
  }
  GetDataBase()->Exit();
  const int32_t status = zdz_sim_release_virtual_stations();
  state.Ends.emplace_back(status, zdz_last_error());
}

TEST_F(SimLiveTest, ReceiversMayEndEverythingFromInsideWithoutWaitingForThemselves) {
  Load("Acquisition=continuous\nPeriod=0.01\n");
  ReentryState state;
  state.Self = SimAddReceiver(Reenter, &state);
  ZocStartButton(1, 1);
  SimAdvance(0.05);
  EXPECT_EQ(state.Calls, 1);
  EXPECT_EQ(state.WaitResult, SimOrderError);
  ASSERT_EQ(state.Ends.size(), 4u);
  for (const auto& [status, text] : state.Ends) {
    EXPECT_EQ(status, ZDZ_E_ORDER);
    EXPECT_NE(text.find("inside a receiver"), std::string::npos) << text;
  }
  EXPECT_EQ(ZosGetMgr()->IsSeqRun(1, 1), FALSE);
  EXPECT_FALSE(SimRemoveReceiver(state.Self));
  EXPECT_FALSE(SimInsideReceiver());
}

/// A receiver that calls the C interface, whose lock another thread holds meanwhile.
struct LockWaiter {
  std::atomic<bool> Locked = false;
  std::atomic<bool> Entered = false;
  std::atomic<int32_t> Status = 1;
};

void CallTheInterface(void* user, const uint8_t*, uint32_t) {
  auto& waiter = *static_cast<LockWaiter*>(user);
  waiter.Entered = true;
  waiter.Entered.notify_all();
  uint8_t slots = 0;
  waiter.Status = zdz_get_max_slot(1, &slots);
}

int32_t ExitOnceTheReceiverWaits(void* user) {
  auto& waiter = *static_cast<LockWaiter*>(user);
  waiter.Locked = true;
  waiter.Locked.notify_all();
  waiter.Entered.wait(false);
  return zdz_exit();
}

TEST_F(SimLiveTest, ExitUnderTheLockDoesNotWaitForAReceiverThatWaitsForIt) {
  Load("Acquisition=continuous\nPeriod=0.5\n");
  LockWaiter waiter;
  uint32_t id = 0;
  ASSERT_EQ(zdz_sim_add_receiver(CallTheInterface, &waiter, &id), ZDZ_OK);
  ASSERT_EQ(zdz_zoc_start_button(1, 1), ZDZ_OK);
  auto exited = std::async(std::launch::async, [&] { return zdz_call_locked(ExitOnceTheReceiverWaits, &waiter); });
  waiter.Locked.wait(false);
  std::thread stepper([] { zdz_sim_advance(0.5); });
  if (exited.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
    ADD_FAILURE() << "zdz_exit waits for a receiver that waits for its lock";
    std::_Exit(1);
  }
  EXPECT_EQ(exited.get(), ZDZ_OK);
  stepper.join();
  // The receiver's call ran once zdz_exit let go of the lock, and found the database emptied.
  EXPECT_EQ(waiter.Status, ZDZ_E_UNKNOWN);
  EXPECT_EQ(zdz_sim_remove_receiver(id), ZDZ_OK);
  EXPECT_EQ(zdz_sim_release_virtual_stations(), ZDZ_OK);
}

TEST_F(SimLiveTest, WallClockAcquisitionsAreReadWholeWhileTheThreadRuns) {
  Load("Acquisition=continuous\nPeriod=0.002\nWave=ramp 1000 1\n", false);
  ZocStartButton(1, 1);
  SimAcquisition latest;
  while (latest.Announced < 20) {
    ASSERT_EQ(SimWaitForAcquisition(1, 1, latest.Announced, 10000, latest), 0);
    DWORD told = 0;
    const std::vector<double> ramp = Read(0, told);
    ASSERT_EQ(ramp.size(), 20u);
    const double first = ramp[0];
    EXPECT_EQ(std::fmod(first + 1000, 20), 0) << "not the first point of an acquisition";
    for (DWORD point = 0; point < 10; ++point)
      EXPECT_EQ(ramp[2 * point], first + 2.0 * point);
  }
  ZocStopButton(1, 1);
  SimAdvance(0);
  const std::vector<DWORD> numbers = Heard.Numbers();
  for (std::size_t index = 0; index < numbers.size(); ++index)
    ASSERT_EQ(numbers[index], index + 1);
}
} // namespace
