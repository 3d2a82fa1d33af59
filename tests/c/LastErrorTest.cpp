// The calling thread's last-error text: what each failing call was about, "" after a call with
// nothing to add, and another thread's calls leave it alone.
#include "tests/c/CInterfaceFixture.h"

#include <cstddef>
#include <thread>

namespace {
// What the rows pass and write, at namespace scope so that a row captures nothing.
zdz_viewer* Viewer = nullptr;
zdz_viewer* Made = nullptr;
uint32_t Size = 0;

class LastErrorTest : public CInterfaceFixture {
protected:
  LastErrorTest() { EXPECT_EQ(zdz_viewer_create(4, &Viewer), ZDZ_OK); }
  ~LastErrorTest() override { zdz_viewer_release(Viewer); }
};

struct ErrorRow {
  const char* Name;
  int32_t (*Call)();
  int32_t Status;
  const char* Named;
};

int32_t ReadAnnouncement(uint32_t length, uint8_t cmdId) {
  std::vector<uint8_t> packet(length);
  packet[offsetof(_ModulePacket, CmdId)] = cmdId;
  uint16_t station = 0, module = 0;
  uint32_t number = 0, stamp = 0;
  return zdz_sim_read_announcement(packet.data(), length, &station, &module, &number, &stamp);
}

int32_t WaitForAcquisition(uint16_t module, uint32_t seen) {
  uint32_t announced = 0, number = 0;
  return zdz_sim_wait_for_acquisition(1, module, seen, 1, &announced, &number);
}

// The viewer's, the packet decoder's, the stored viewer's and the release's texts are
// python/tests/test_errors.py's rows.
const ErrorRow ErrorRows[] = {
    {"UnknownKeyword", [] { return zdz_viewer_set(Viewer, "Gridtype", -1, "2"); }, ZDZ_E_UNKNOWN,
     "no viewer keyword \"Gridtype\""},
    {"MissingSection", [] { return zdz_profile_keys(TestStations, "No\x1B[2J", nullptr, 0, &Size); }, ZDZ_E_NOT_FOUND,
     "no section [No\\x1B[2J] in tests/c/VirtualStations.ini"},
    {"UnreadableStations", [] { return zdz_sim_load_virtual_stations("tests/c/no such.ini", nullptr, 0, nullptr); },
     ZDZ_E_ARGUMENT, "tests/c/no such.ini"},
    {"UnknownReceiver", [] { return zdz_sim_remove_receiver(77); }, ZDZ_E_NOT_FOUND, "no receiver 77"},
    {"ShortAnnouncement", [] { return ReadAnnouncement(47, 0x88); }, ZDZ_E_ARGUMENT,
     "the packet has 47 bytes; an announcement has 48"},
    {"NoAnnouncement", [] { return ReadAnnouncement(48, 0x87); }, ZDZ_E_ARGUMENT,
     "no announcement, which has command id 0x88 and control id 0x403"},
    {"WaitForUnknownModule", [] { return WaitForAcquisition(9, 0); }, ZDZ_E_UNKNOWN,
     "station 1 has no simulated module 9"},
    {"WaitTimedOut", [] { return WaitForAcquisition(1, 3); }, ZDZ_E_TIMEOUT,
     "station 1 module 1 announced no acquisition after its 3 within the 1 ms time-out"},
};
} // namespace

TEST_F(LastErrorTest, EachFailureNamesWhatItWasAbout) {
  for (const ErrorRow& row : ErrorRows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(row.Call(), row.Status);
    EXPECT_NE(std::string(zdz_last_error()).find(row.Named), std::string::npos) << zdz_last_error();
  }
}

TEST_F(LastErrorTest, EveryCallReplacesItAndOtherThreadsLeaveIt) {
  const ErrorRow& failing = ErrorRows[0];
  failing.Call();
  std::thread([&] { ErrorRows[1].Call(); }).join();
  EXPECT_NE(std::string(zdz_last_error()).find(failing.Named), std::string::npos);
  EXPECT_EQ(zdz_viewer_set(Viewer, "GridType", -1, "2"), ZDZ_OK);
  EXPECT_STREQ(zdz_last_error(), "");
  uint32_t id = 0;
  const std::function<int32_t()> simulationSuccesses[] = {
      [] { return zdz_sim_set_stepped_clock(0); }, [] { return zdz_sim_advance(0); },
      [&] { return zdz_sim_add_receiver([](void*, const uint8_t*, uint32_t) {}, nullptr, &id); },
      [&] { return zdz_sim_remove_receiver(id); }};
  for (const auto& success : simulationSuccesses) {
    failing.Call();
    EXPECT_EQ(success(), ZDZ_OK);
    EXPECT_STREQ(zdz_last_error(), "");
  }
  failing.Call();
  EXPECT_EQ(zdz_viewer_from_text(nullptr, &Made), ZDZ_E_ARGUMENT);
  EXPECT_STREQ(zdz_last_error(), "");
}
