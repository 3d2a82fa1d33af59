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
class ThreadAddrHandleTest : public testing::Test {
protected:
  void SetUp() override {
    if (Is32BitBuild)
      GTEST_SKIP() << "the 32-bit build carries the address itself";
  }
};
} // namespace

TEST(ThreadAddrTest, NullIsTheInvalidWordBothWays) {
  EXPECT_EQ(ThreadAddrOf(nullptr), 0u);
  EXPECT_EQ(RplySyncOf(0), nullptr);
}

TEST(ThreadAddrTest, PacketNamesItsRecordThroughTheWord) {
  CRplySync sync;
  _ModulePacket bytes = {};
  CEndianModulePacket packet(&bytes);
  packet.SetThreadAddr(ThreadAddrOf(&sync));
  EXPECT_NE(packet.GetThreadAddr(), 0u);
  EXPECT_EQ(packet.GetRplySync(), &sync);
  if (Is32BitBuild) {
    EXPECT_EQ(packet.GetThreadAddr(), reinterpret_cast<std::uintptr_t>(&sync));
  }
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

TEST_F(ThreadAddrHandleTest, UnknownAndReleasedHandlesNameNothing) {
  DWORD released = 0;
  {
    CRplySync sync;
    released = ThreadAddrOf(&sync);
  }
  // The entry's next record gets a new generation, so the old handle stays dead.
  std::vector<std::unique_ptr<CRplySync>> later;
  for (DWORD index = 0; index < ThreadAddrCapacity; ++index) {
    later.push_back(std::make_unique<CRplySync>());
    static_cast<void>(ThreadAddrOf(later.back().get()));
  }
  for (DWORD word : {released, DWORD{1}, DWORD{0xFFF}, DWORD{0x80000001}, ~DWORD{0}})
    EXPECT_EQ(RplySyncOf(word), nullptr) << word;
}

// A caller may give back a handle twice, or one it kept after its record let it go: by then the
// entry may hold a newer record, which must keep its handle.
TEST_F(ThreadAddrHandleTest, StaleHandleReleasedLeavesTheEntrysNewerRecord) {
  DWORD stale = 0;
  {
    CRplySync gone;
    stale = ThreadAddrOf(&gone);
  }
  constexpr DWORD IndexMask = ThreadAddrCapacity - 1;
  std::vector<std::unique_ptr<CRplySync>> later;
  CRplySync* newer = nullptr;
  for (DWORD tries = 0; tries < ThreadAddrCapacity && newer == nullptr; ++tries) {
    later.push_back(std::make_unique<CRplySync>());
    const DWORD word = ThreadAddrOf(later.back().get());
    if (word != 0 && (word & IndexMask) == (stale & IndexMask))
      newer = later.back().get();
  }
  ASSERT_NE(newer, nullptr) << "the stale handle's entry was never issued again";
  const DWORD current = ThreadAddrOf(newer);
  ReleaseThreadAddr(stale);
  EXPECT_EQ(RplySyncOf(current), newer);
  EXPECT_EQ(ThreadAddrOf(newer), current);
  // Still held: no other record is given the entry.
  CRplySync other;
  EXPECT_NE(ThreadAddrOf(&other) & IndexMask, current & IndexMask);
}

TEST_F(ThreadAddrHandleTest, TableIsBoundedAndReusesWhatIsReleased) {
  std::vector<std::unique_ptr<CRplySync>> records;
  DWORD issued = 0;
  for (DWORD index = 0; index <= ThreadAddrCapacity; ++index) {
    records.push_back(std::make_unique<CRplySync>());
    if (ThreadAddrOf(records.back().get()) != 0)
      ++issued;
  }
  // Records of other tests and of the simulated manager may hold a few entries.
  EXPECT_LE(issued, ThreadAddrCapacity);
  EXPECT_GT(issued, ThreadAddrCapacity - 8);
  EXPECT_EQ(ThreadAddrOf(records.back().get()), 0u);
  records.front().reset();
  EXPECT_NE(ThreadAddrOf(records.back().get()), 0u);
  EXPECT_EQ(RplySyncOf(ThreadAddrOf(records.back().get())), records.back().get());
}

// Receiving threads resolve while application threads issue and release: a live handle always
// names its record, a released one never names anything.
TEST_F(ThreadAddrHandleTest, ResolvingWhileIssuingNeedsNoLock) {
  constexpr int Kept = 64;
  std::vector<std::unique_ptr<CRplySync>> kept;
  std::vector<DWORD> live, dead;
  for (int index = 0; index < Kept; ++index) {
    kept.push_back(std::make_unique<CRplySync>());
    live.push_back(ThreadAddrOf(kept.back().get()));
    CRplySync gone;
    dead.push_back(ThreadAddrOf(&gone));
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
        if (RplySyncOf(live[index]) != kept[index].get() || RplySyncOf(dead[index]) != nullptr)
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
