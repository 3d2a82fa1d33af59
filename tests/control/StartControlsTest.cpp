#include <zodavudaz/control/StartControls.h>

#include "tests/control/ControlFixture.h"
#include "tests/support/HeapUse.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <type_traits>

namespace {
using StartControlsTest = ControlFixture;

TEST_F(StartControlsTest, ButtonsPostACopyOfTheModulesBlockThatOutlivesTheModule) {
  CModule& module = FileModule(2);
  module.ActOnTrigInfo.FileNum = 12;
  module.ModuleFlags = 0x81;
  EXPECT_EQ(ZocStartButton(1, 2), 0);
  EXPECT_EQ(ZocStopButton(1, 2), 0);
  // As Exit does before the thread handles the messages.
  Station.ModuleMap.RemoveAll();
  DeleteModule(&module);
  const std::vector<SimMessage> messages = SimSeqThreadMessages();
  ASSERT_EQ(messages.size(), 2u);
  for (DWORD i = 0; i < 2; ++i) {
    const SimMessage& message = messages[i];
    ASSERT_TRUE(message.Message == 0x437 && message.HasRecord && message.HasTrigInfo);
    EXPECT_EQ(std::make_tuple(message.Record.StartFlag, message.TrigInfo.FileNum, message.ModuleFlags),
              std::make_tuple(1 - i, 12, 0x81));
  }
}

TEST_F(StartControlsTest, FailuresPostNothingAndKeepNothing) {
  FileModule(2);
  ZocStartButton(1, 2); // the kept block of the module exists from here on
  SimSeqThreadMessages();
  struct Case {
    const char* Name;
    WORD Slot;
    bool RefusePost;
    bool RefuseRecord;
  };
  const Case cases[] = {
      {"unknown module", 3, false, false}, {"post refused", 2, true, false}, {"record not filled", 2, false, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    SimRefusePosts(c.RefusePost);
    if (c.RefuseRecord)
      SimSetSeqMsgParam(1, 2, 9, _SeqMsgParam{});
    EXPECT_EQ(ZocStartButton(1, c.Slot) & ZocStopButton(1, c.Slot), 0xFFFF);
    SimRefusePosts(false);
    EXPECT_EQ(SimSeqThreadMessages().size(), 1u);
  }
}
// One kept block per station and slot, refreshed at each post: never one per post or per setting,
// never one shared by two modules, and none for a refused post.
TEST_F(StartControlsTest, KeptBlocksStayOnePerModuleHoweverManyPosts) {
  CModule& module = FileModule(2, false);
  CModule& twin = FileModule(3, false);
  constexpr WORD Refused = 50;
  for (WORD slot = 0x100; slot < 0x100 + 2 * Refused; ++slot)
    FileModule(slot, false);
  auto postRound = [&](int round) {
    for (int post = 0; post < 2000; ++post) {
      module.ActOnTrigInfo.TrigValue = round * 2000 + post; // new bytes each time
      SimRefusePosts(post % 2 != 0);
      ZocStopButton(1, 2);
    }
    SimRefusePosts(true);
    for (WORD slot = 0; slot < Refused; ++slot) // modules whose only post is refused
      ZocStopButton(1, static_cast<WORD>(0x100 + round * Refused + slot));
    SimRefusePosts(false);
    twin.ActOnTrigInfo = module.ActOnTrigInfo;
    ZocStopButton(1, 3);
    const std::vector<SimMessage> messages = SimSeqThreadMessages();
    EXPECT_EQ(messages.size(), 1001u);
    EXPECT_TRUE(std::all_of(messages.begin(), messages.end() - 1,
                            [&](const SimMessage& message) { return message.WParam == messages[0].WParam; }));
    EXPECT_NE(messages.back().WParam, messages[0].WParam) << "equal bytes of two modules are kept apart";
    // The simulation's thread reads a block when it gets to the message, so the block itself tells.
    const auto* kept = reinterpret_cast<const ActOnTrigInfo*>(messages[0].WParam);
    EXPECT_EQ(kept->TrigValue, round * 2000 + 1998) << "refreshed by the last accepted post";
    SimReset();
  };
  postRound(0);
  const std::size_t heapBefore = HeapBytesInUse();
  postRound(1);
  // A freed block may wait in the allocator's per-thread cache, which counts as in use.
  EXPECT_LE(HeapBytesInUse(), heapBefore + sizeof(ActOnTrigInfo) + 64);
}

TEST_F(StartControlsTest, LedPacksItsValueIntoOneWord) {
  const struct {
    WORD First, Second, Third;
    DWORD Value;
  } rows[] = {
      {0x0102, 0x0304, 0x0506, 0x06040102}, {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFFFFFF}, {0, 0xAB00, 0x00CD, 0xCD000000}};
  for (const auto& row : rows)
    EXPECT_EQ(ZocUpdateStartLED(row.First, row.Second, row.Third), 0);
  const std::vector<SimMessage> messages = SimGuiThreadMessages();
  ASSERT_EQ(messages.size(), std::size(rows));
  // The whole posted word, as the receiver reads it: on 64-bit its upper half stays 0.
  const auto wholeWord = [](MsgLParam word) {
    return static_cast<std::uint64_t>(static_cast<std::make_unsigned_t<MsgLParam>>(word));
  };
  for (std::size_t i = 0; i < messages.size(); ++i)
    EXPECT_EQ(std::make_tuple(messages[i].Message, messages[i].WParam, wholeWord(messages[i].LParam)),
              std::make_tuple(0x43Au, MsgWParam{0x400}, std::uint64_t{rows[i].Value}))
        << i;
  SimRefusePosts(true);
  EXPECT_EQ(ZocUpdateStartLED(1, 2, 3), SimPostRefused);
}
} // namespace
