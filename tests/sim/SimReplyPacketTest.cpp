// The reply packet a simulated module hands back: how its transfer is split into packets and the
// reply record it names.
#include <zodavudaz/sim/SimControl.h>

#include <zodavudaz/packets/DataHeader.h>

#include <gtest/gtest.h>

#include <iterator>
#include <vector>

namespace {
constexpr WORD Station = 3;
constexpr WORD Slot = 1;
constexpr WORD Cntl = 0x123;

class SimReplyPacketTest : public testing::Test {
protected:
  SimReplyPacketTest() {
    SimReset();
    Frontend = SimCreateFrontend({.Station = Station, .ModuleId = Slot});
  }
  ~SimReplyPacketTest() override { SimReset(); }

  CFeModule* Frontend = nullptr;
};

struct PacketRow {
  const char* Name;
  DWORD DataBytes;
  DWORD PacketBytes;
  DWORD Packets;
  DWORD FirstPacketBytes;
};

// A last packet that is not full is a packet of its own.
const PacketRow PacketRows[] = {
    {"OnePacketHoldsAll", 20, SimAll, 1, 20},
    {"EmptyReplyIsOnePacket", 0, 8, 1, 0},
    {"ExactFitIsOnePacket", 8, 8, 1, 8},
    {"OneByteOverStartsASecond", 9, 8, 2, 8},
    {"WholePackets", 40, 8, 5, 8},
    {"PartLastPacket", 37, 8, 5, 8},
};

// The reply also carries the caller's reply record in a word the receiving side can resolve (on
// 64-bit a handle, never the address cut to 32 bits): the rows take turns with two records.
TEST_F(SimReplyPacketTest, TransferIsSplitIntoWholeAndOnePartPacketNamingTheRecordOfTheRequest) {
  CRplySync syncs[2];
  for (std::size_t index = 0; index < std::size(PacketRows); ++index) {
    const PacketRow& row = PacketRows[index];
    SCOPED_TRACE(row.Name);
    const std::vector<BYTE> data(row.DataBytes, 0x5A);
    SimSetReply(Station, Slot, CmdGroupGui, Cntl, 0x00, data.data(), row.DataBytes);
    SimClearFaults(Station, Slot);
    SimAddFault(Station, Slot, {.PacketBytes = row.PacketBytes});
    CRplySync& sync = syncs[index % 2];
    _ModulePacket* packet = nullptr;
    ASSERT_EQ(Frontend->Query(CmdGroupGui, Cntl, nullptr, 0xFF, 0, &packet, &sync, 0), 0);
    ASSERT_NE(packet, nullptr);
    const CEndianModulePacket reply(packet);
    EXPECT_EQ(reply.GetAllPacket(), row.Packets);
    EXPECT_EQ(reply.GetCurPacketNo(), 1u);
    EXPECT_EQ(reply.GetAllDataSize(), row.DataBytes);
    EXPECT_EQ(reply.GetDataSize(), row.FirstPacketBytes);
    EXPECT_EQ(reply.GetRplySync(), &sync);
  }
}
} // namespace
