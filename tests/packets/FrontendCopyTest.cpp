#include "packets/siblings/CFeFrontend.h"
#include "packets/siblings/CFeModule.h"
#include "sim/SimControl.h"

#include <gtest/gtest.h>

namespace {
class FrontendCopyTest : public testing::Test {
protected:
  void SetUp() override { SimReset(); }
  void TearDown() override { SimReset(); }
};

/// Shows the fields that a copy must carry.
struct FrontendProbe : CFeFrontend {
  BYTE& WorkByte(int index) { return Work[index]; }
  COBJECT*& Object(int index) { return ObjectTable[index]; }
};

struct ModuleObjectProbe : CFeFrontend::CMODULE {
  DWORD& Slot() { return SlotNo; }
  DWORD& Counter() { return Counters[2]; }
};
} // namespace

TEST_F(FrontendCopyTest, CopyOfAModuleFrontendReachesTheSameModule) {
  SimModuleConfig config;
  config.Station = 4;
  config.ModuleId = 2;
  CFeModule* original = SimCreateFrontend(config);
  ASSERT_NE(original, nullptr);
  {
    CFeModule copy(*original);
    EXPECT_EQ(copy.Query(0, 0x123, nullptr, 0xFF, 0, nullptr, 4), 0);
    CFeModule assigned;
    assigned = copy;
    EXPECT_EQ(assigned.Query(0, 0x124, nullptr, 0xFF, 0, nullptr, 4), 0);
  }
  EXPECT_EQ(SimQueries(4, 2).size(), 2u);
  EXPECT_EQ(SimLiveFrontends(4, 2), 1);
  EXPECT_EQ(original->Query(0, 0x125, nullptr, 0xFF, 0, nullptr, 4), 0);
}

TEST_F(FrontendCopyTest, CopiesCarryEveryField) {
  FrontendProbe original;
  original.WorkByte(679) = 7;
  original.Object(4) = reinterpret_cast<CFRONTEND::COBJECT*>(&original);
  FrontendProbe copy(original);
  EXPECT_EQ(copy.WorkByte(679), 7);
  EXPECT_EQ(copy.Object(4), original.Object(4));

  ModuleObjectProbe object;
  object.Slot() = 3;
  object.Counter() = 9;
  ModuleObjectProbe objectCopy;
  objectCopy = object;
  EXPECT_EQ(objectCopy.Slot(), 3u);
  EXPECT_EQ(objectCopy.Counter(), 9u);
}
