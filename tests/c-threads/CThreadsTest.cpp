// Eight threads calling the C interface at once for two seconds: no update is lost, no reply or
// text is torn, and a packet handler calls back into the interface. Built with ThreadSanitizer as
// well, where any unserialised access fails the run.
#include "tests/TempFiles.h"
#include "tests/c/CInterfaceFixture.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {
constexpr int ThreadCount = 8;
constexpr auto RunTime = std::chrono::seconds(2);
constexpr uint16_t SharedCounter = 1000;

/// What every thread counts; a failure names itself.
struct ThreadLog {
  long Calls = 0;
  std::vector<std::string> Failures;
  void Expect(bool holds, const std::string& what) {
    if (!holds && Failures.size() < 10)
      Failures.push_back(what);
  }
};

/// Adds 1 to filter id of module (2, 2) under the lock: a read, a change and a write that no other
/// call comes between.
int32_t Increment(void* context) {
  const uint16_t id = *static_cast<uint16_t*>(context);
  uint16_t value = 0;
  if (const int32_t status = zdz_get_gui_filter(2, 2, id, &value); status != ZDZ_OK && status != ZDZ_E_NOT_FOUND)
    return status;
  return zdz_add_gui_filter(2, 2, id, static_cast<uint16_t>(value + 1));
}

/// A handler that reads through the interface while the interpreter holds the lock.
int32_t ReadBack(void* user, int32_t /*position*/, uint8_t* /*packet*/, uint32_t /*length*/) {
  char name[64];
  uint32_t size = 0;
  const int32_t status = zdz_gui_get_station_name(2, name, sizeof name, &size);
  *static_cast<bool*>(user) = status == ZDZ_OK && std::strcmp(name, "Bravo") == 0;
  return 0;
}

void CountUp(int thread, ThreadLog& log) {
  uint16_t own = static_cast<uint16_t>(thread);
  uint16_t shared = SharedCounter;
  log.Expect(zdz_call_locked(Increment, &own) == ZDZ_OK, "own counter");
  log.Expect(zdz_call_locked(Increment, &shared) == ZDZ_OK, "shared counter");
}

void ReadAcquiredData(const std::vector<uint8_t>& expected, ThreadLog& log) {
  std::vector<uint8_t> samples(expected.size(), 0);
  uint16_t type = 0;
  uint32_t bytes = 0, elements = 0;
  const int32_t status = zdz_get_acq_data_ex(5, 2, 0, 0, 0, 100, 0, 50, 2, samples.data(),
                                             static_cast<uint32_t>(samples.size()), &type, &bytes, &elements, 0);
  log.Expect(status == ZDZ_OK && bytes == samples.size() && samples == expected, "acquired data");
}

void ChangeViewer(zdz_viewer* viewer, int thread, long round, ThreadLog& log) {
  const std::string value = std::to_string((thread * 7 + round) % 200);
  log.Expect(zdz_viewer_set(viewer, "GridType", -1, value.c_str()) == ZDZ_OK, "viewer set");
  char text[4096];
  uint32_t size = 0;
  log.Expect(zdz_viewer_get(viewer, "GridType", -1, text, sizeof text, &size) == ZDZ_OK && value == text,
             "own viewer keyword");
  log.Expect(zdz_viewer_to_text(viewer, text, sizeof text, &size) == ZDZ_OK &&
                 std::strstr(text, ("GridType " + value + ";").c_str()) != nullptr,
             "own viewer text");
}

void FileAndRemove(int thread, ThreadLog& log) {
  const uint16_t station = static_cast<uint16_t>(100 + thread);
  log.Expect(zdz_add_station(station, "Temporary", "RA800") == ZDZ_OK, "add station");
  log.Expect(zdz_add_module(station, 1, "ZO1", 0x100, 1, nullptr) == ZDZ_OK, "add module");
  log.Expect(zdz_exit_front_end(station, 1) == ZDZ_OK, "end module");
  log.Expect(zdz_remove_station(station) == ZDZ_OK, "remove station");
}

/// The settings key of thread.
std::string KeyOf(int thread) {
  std::string key = std::to_string(thread);
  key.insert(key.begin(), 'T');
  return key;
}

/// Writes the thread's own key of a settings file that every thread writes, and reads it back with
/// the whole file, which must hold one version of every line.
void WriteSetting(const std::string& file, int thread, long round, ThreadLog& log) {
  const std::string key = KeyOf(thread);
  const std::string value = std::to_string(round);
  log.Expect(zdz_write_profile_string(file.c_str(), "Threads", key.c_str(), value.c_str()) == ZDZ_OK, "settings write");
  char text[64];
  uint32_t size = 0;
  log.Expect(zdz_get_profile_string(file.c_str(), "Threads", key.c_str(), text, sizeof text, &size) == ZDZ_OK &&
                 value == text,
             "own settings value");
  std::vector<char> whole(4096);
  log.Expect(zdz_read_profile_file(file.c_str(), whole.data(), 4096, &size) == ZDZ_OK &&
                 std::string(whole.data()).rfind("[Threads]\r\n", 0) == 0 &&
                 std::string(whole.data()).find("\r\n\r\n") == size - 5,
             "whole settings file");
}

/// An interpreter whose event reply handler (position 45) reads back into *readBack.
int32_t CreateReadingBack(bool* readBack, zdz_interpreter** interpreter) {
  zdz_packet_handler handlers[45] = {};
  handlers[44] = ReadBack;
  return zdz_interpreter_create(handlers, 45, readBack, interpreter);
}

void Interpret(zdz_interpreter* interpreter, ThreadLog& log) {
  uint8_t packet[32] = {};
  packet[17] = 0x87;
  bool readBack = false;
  zdz_interpreter* own = nullptr;
  log.Expect(CreateReadingBack(&readBack, &own) == ZDZ_OK, "interpreter");
  log.Expect(zdz_interpret(own, packet, sizeof packet) == ZDZ_OK && readBack, "handler calling back");
  log.Expect(zdz_interpreter_release(own) == ZDZ_OK, "interpreter release");
  log.Expect(zdz_interpret(interpreter, packet, sizeof packet) == ZDZ_OK, "shared interpreter");
}

class CThreadsTest : public CInterfaceFixture {};

TEST_F(CThreadsTest, EightThreadsLoseNothingAndTearNothing) {
  std::vector<uint8_t> expected(200, 0);
  uint16_t type = 0;
  uint32_t bytes = 0, elements = 0;
  ASSERT_EQ(zdz_get_acq_data_ex(5, 2, 0, 0, 0, 100, 0, 50, 2, expected.data(), 200, &type, &bytes, &elements, 0),
            ZDZ_OK);
  bool sharedReadBack = false;
  zdz_interpreter* shared = nullptr;
  ASSERT_EQ(CreateReadingBack(&sharedReadBack, &shared), ZDZ_OK);

  const TempFolder folder;
  const std::string settings = folder / "Mardel.tmp";
  std::vector<ThreadLog> logs(ThreadCount);
  std::vector<long> rounds(ThreadCount, 0);
  const auto deadline = std::chrono::steady_clock::now() + RunTime;
  std::vector<std::thread> threads;
  for (int thread = 0; thread < ThreadCount; ++thread)
    threads.emplace_back([&, thread] {
      ThreadLog& log = logs[thread];
      zdz_viewer* viewer = nullptr;
      log.Expect(zdz_viewer_create(4, &viewer) == ZDZ_OK, "viewer");
      for (long round = 0; std::chrono::steady_clock::now() < deadline; ++round) {
        CountUp(thread, log);
        ReadAcquiredData(expected, log);
        ChangeViewer(viewer, thread, round, log);
        FileAndRemove(thread, log);
        Interpret(shared, log);
        WriteSetting(settings, thread, round, log);
        ++rounds[thread];
      }
      log.Expect(zdz_viewer_release(viewer) == ZDZ_OK, "viewer release");
    });
  for (std::thread& thread : threads)
    thread.join();

  long total = 0;
  for (int thread = 0; thread < ThreadCount; ++thread) {
    SCOPED_TRACE(thread);
    EXPECT_EQ(logs[thread].Failures, std::vector<std::string>{});
    EXPECT_GT(rounds[thread], 0);
    EXPECT_EQ(AnswerOf(zdz_get_gui_filter, 2, 2, thread), static_cast<uint16_t>(rounds[thread]));
    total += rounds[thread];
    EXPECT_EQ(TextOf(Bound(zdz_get_profile_string, settings.c_str(), "Threads", KeyOf(thread).c_str())),
              std::to_string(rounds[thread] - 1));
  }
  EXPECT_EQ(AnswerOf(zdz_get_gui_filter, 2, 2, SharedCounter), static_cast<uint16_t>(total));
  EXPECT_TRUE(sharedReadBack);
  EXPECT_EQ(zdz_interpreter_release(shared), ZDZ_OK);
  std::printf("%ld rounds of 6 call groups in %lld s by %d threads\n", total, static_cast<long long>(RunTime.count()),
              ThreadCount);
}
} // namespace
