#include <zodavudaz/control/ControlRequests.h>

#include "tests/control/ControlFixture.h"
#include <zodavudaz/packets/siblings/CommunicationLibrary.h>

#include <tuple>

namespace {
using ControlRequestsTest = ControlFixture;

TEST_F(ControlRequestsTest, ModuleFieldsOrNoModule) {
  CModule& module = FileModule(2);
  module.ProductWord = 0x4D0217;
  module.ActOnTrigInfo.FileNum = 5;
  module.ActOnTrigInfo.FileStartNo = 6;
  WORD (*const getters[])(WORD, WORD, DWORD*) = {ZocGetProductId, ZocGetFileNumInSaveMode, ZocGetFileStartNoInSaveMode};
  const DWORD values[] = {0x4D02, 5, 6};
  for (int i = 0; i < 3; ++i) {
    DWORD value = 99;
    EXPECT_EQ(getters[i](1, 2, &value), 0);
    EXPECT_EQ(value, values[i]);
    EXPECT_EQ(getters[i](1, 3, &value), ZocNoModule);
    EXPECT_EQ(value, 0u);
  }
}

TEST_F(ControlRequestsTest, RequestsUseTheFrontendWhereThereIsOne) {
  FileModule(2);
  FileModule(3, false);
  BYTE data[2] = {1, 2};
  WORD out[4] = {};
  WORD outType = 0;
  DWORD outCount = 0;
  for (WORD slot : {2, 3}) {
    SCOPED_TRACE(slot);
    EXPECT_EQ(ZocGetFrontEnd1(1, slot) != nullptr, slot == 2);
    EXPECT_EQ(ZocMoteSyncExec(1, slot, 0x501) | ZocMoteSyncExec2(1, slot, 0x502, data, 0, 2) |
                  ZocMoteSettingQuery(1, slot, 0x503, out, &outType, &outCount, sizeof out),
              0);
    // Executions go without a reply record; the setting query takes the thread's, set for it.
    const bool viaFrontend = slot == 2;
    CRplySync* threadSync = GetSyncInfo(MoGetThread());
    const std::vector<SimQuery> queries = SimQueries(1, slot);
    ASSERT_EQ(queries.size(), 3u);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(std::make_tuple(queries[i].ViaFrontend, queries[i].Group, queries[i].Cntl, queries[i].Sync,
                                queries[i].Option),
                std::make_tuple(viaFrontend, WORD(i == 2 ? 10 : 0), WORD(0x501 + i),
                                i == 2 && viaFrontend ? threadSync : nullptr, WORD(i < 2 && viaFrontend ? 4 : 0)))
          << i;
    EXPECT_EQ(queries[0].InCount, 0u);
    EXPECT_EQ(queries[1].In, std::vector<BYTE>(data, data + 2));
    EXPECT_EQ(std::make_tuple(threadSync->GetStationId(), threadSync->GetModuleId(), threadSync->GetCntlId()),
              std::make_tuple(WORD{1}, slot, WORD{0x503}));
    EXPECT_EQ(out[0], 10) << "the module answers its group";
  }
  SimSetStation({.Id = 1, .Address = 0x20005});
  EXPECT_EQ(ZocGetFrontEnd2(0x20005, 2), ZocGetFrontEnd1(1, 2));
  EXPECT_EQ(ZocGetFrontEnd2(0x30007, 2), nullptr);
}
} // namespace
