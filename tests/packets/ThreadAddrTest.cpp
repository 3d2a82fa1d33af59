#include <zodavudaz/packets/ThreadAddr.h>

#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CRplySync.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace {
constexpr DWORD IndexMask = ThreadAddrCapacity - 1;

class ThreadAddrHandleTest : public testing::Test {
protected:
  void SetUp() override {
    if (Is32BitBuild)
      GTEST_SKIP() << "the 32-bit build carries the address itself";
  }
  /// A new record with its handle (0 when none was free).
  DWORD Issue() {
    Records.push_back(std::make_unique<CRplySync>());
    return ThreadAddrOf(Records.back().get());
  }
  /// The handle of a record already gone.
  static DWORD Released() {
    CRplySync gone;
    return ThreadAddrOf(&gone);
  }
  std::vector<std::unique_ptr<CRplySync>> Records;
};
} // namespace

TEST(ThreadAddrTest, PacketNamesItsRecordThroughTheWordAndNullIsTheInvalidWord) {
  CRplySync sync;
  _ModulePacket bytes = {};
  CEndianModulePacket packet(&bytes);
  packet.SetThreadAddr(ThreadAddrOf(&sync));
  EXPECT_EQ(packet.GetRplySync(), &sync);
  if (Is32BitBuild) {
    EXPECT_EQ(packet.GetThreadAddr(), reinterpret_cast<std::uintptr_t>(&sync));
  }
  EXPECT_EQ(ThreadAddrOf(nullptr), 0u);
  EXPECT_EQ(RplySyncOf(0), nullptr);
}

TEST_F(ThreadAddrHandleTest, OneRecordKeepsOneHandleUntilInvalidated) {
  CRplySync sync;
  const DWORD first = ThreadAddrOf(&sync);
  EXPECT_EQ(ThreadAddrOf(&sync), first);
  CRplySync copy(sync);
  EXPECT_NE(ThreadAddrOf(&copy), first); // a copy is another record
  sync.Invalidate();
  EXPECT_EQ(RplySyncOf(first), nullptr);
  EXPECT_EQ(RplySyncOf(ThreadAddrOf(&copy)), &copy);
}

// The entry of a released handle gets a new generation when it is issued again, so the old handle
// stays dead; a full table issues nothing until a record lets its entry go.
TEST_F(ThreadAddrHandleTest, TableIsBoundedAndReleasedOrUnknownHandlesNameNothing) {
  const DWORD released = Released();
  DWORD issued = 0;
  for (DWORD index = 0; index <= ThreadAddrCapacity; ++index)
    issued += Issue() != 0;
  for (DWORD word : {released, DWORD{1}, DWORD{0xFFF}, DWORD{0x80000001}, ~DWORD{0}})
    EXPECT_EQ(RplySyncOf(word), nullptr) << word;
  // Records of other tests and of the simulated manager may hold a few entries.
  EXPECT_LE(issued, ThreadAddrCapacity);
  EXPECT_GT(issued, ThreadAddrCapacity - 8);
  EXPECT_EQ(ThreadAddrOf(Records.back().get()), 0u);
  Records.front().reset();
  EXPECT_NE(ThreadAddrOf(Records.back().get()), 0u);
  EXPECT_EQ(RplySyncOf(ThreadAddrOf(Records.back().get())), Records.back().get());
}

// A caller may give back a handle twice, or one it kept after its record let it go: by then the
// entry may hold a newer record, which must keep its handle.
TEST_F(ThreadAddrHandleTest, StaleHandleReleasedLeavesTheEntrysNewerRecord) {
  const DWORD stale = Released();
  DWORD current = 0;
  for (DWORD tries = 0; tries < ThreadAddrCapacity && current == 0; ++tries)
    if (const DWORD word = Issue(); word != 0 && (word & IndexMask) == (stale & IndexMask))
      current = word;
  ASSERT_NE(current, 0u) << "the stale handle's entry was never issued again";
  CRplySync* newer = Records.back().get();
  ReleaseThreadAddr(stale);
  EXPECT_EQ(RplySyncOf(current), newer);
  EXPECT_EQ(ThreadAddrOf(newer), current);
  // Still held: no other record is given the entry.
  CRplySync other;
  EXPECT_NE(ThreadAddrOf(&other) & IndexMask, current & IndexMask);
}

// Receiving threads resolve while application threads issue and release: a live handle always
// names its record, a released one never names anything.
TEST_F(ThreadAddrHandleTest, ResolvingWhileIssuingNeedsNoLock) {
  constexpr int Kept = 64;
  std::vector<DWORD> live, dead;
  for (int index = 0; index < Kept; ++index) {
    live.push_back(Issue());
    dead.push_back(Released());
  }
  std::atomic<bool> stop{false};
  std::atomic<int> wrong{0};
  auto issue = [&] {
    while (!stop.load()) {
      CRplySync sync;
      if (const DWORD word = ThreadAddrOf(&sync); word != 0 && RplySyncOf(word) != &sync)
        ++wrong;
    }
  };
  auto resolve = [&] {
    for (int round = 0; round < 20000; ++round)
      for (int index = 0; index < Kept; ++index)
        if (RplySyncOf(live[index]) != Records[index].get() || RplySyncOf(dead[index]) != nullptr)
          ++wrong;
  };
  std::thread issuers[] = {std::thread(issue), std::thread(issue)};
  std::thread resolvers[] = {std::thread(resolve), std::thread(resolve)};
  for (std::thread& resolver : resolvers)
    resolver.join();
  stop = true;
  for (std::thread& issuer : issuers)
    issuer.join();
  EXPECT_EQ(wrong.load(), 0);
}
