// The C module queries and acquired-data requests deliver what the C++ calls they wrap deliver,
// from the tests' simulated modules.
#include "tests/c/CInterfaceFixture.h"
#include <zodavudaz/packets/CRplySync.h>

#include <cstring>

namespace {
class RequestsAgreementTest : public CInterfaceFixture {};

std::vector<BYTE> BytesAt(const void* data, std::size_t size) {
  const BYTE* bytes = static_cast<const BYTE*>(data);
  return std::vector<BYTE>(bytes, bytes + size);
}

/// A reply that a C query copies out.
struct CReply {
  int32_t Status = -100;
  std::vector<BYTE> Bytes;
  uint16_t Type = 0xEEEE;
  uint32_t Count = 0xEEEEEEEE;
};

/// A C query's arguments after the ones that name what it asks.
using PointerCall =
    std::function<int32_t(void* data, uint32_t capacity, uint32_t* size, uint16_t* type, uint32_t* count)>;

CReply CQuery(const PointerCall& call) {
  CReply reply;
  reply.Bytes.assign(4096, 0xCC);
  uint32_t size = 0;
  reply.Status = call(reply.Bytes.data(), static_cast<uint32_t>(reply.Bytes.size()), &size, &reply.Type, &reply.Count);
  reply.Bytes.resize(size);
  return reply;
}

TEST_F(RequestsAgreementTest, PointerQueriesCopyTheRepliesTheDatabaseHandsOut) {
  struct Row {
    const char* Name;
    PointerCall C;
    std::function<WORD(void**, DWORD*)> Cpp;
    DWORD Width;
  };
  WORD fromQuery = 0;
  const Row rows[] = {
      {"GuiGetArray mode 0", Bound(zdz_gui_get_array, 2, 2, 0x125, 0),
       [](void** data, DWORD* count) { return Database().GuiGetArray(2, 2, 0x125, data, count, 0); }, 2},
      {"SettingQueryPointer", Bound(zdz_setting_query_pointer, 2, 3, 0x300),
       [](void** data, DWORD* count) { return Database().SettingQueryPointer(2, 3, 0x300, data, count); }, 4},
      {"HelpQueryPointer", [](auto... out) { return zdz_help_query_pointer(1, 3, out..., nullptr); },
       [&](void** data, DWORD* count) { return Database().HelpQueryPointer(1, 3, data, count, &fromQuery); }, 1},
      {"SettingQueryPointer of a module not filed", Bound(zdz_setting_query_pointer, 2, 9, 0x300),
       [](void** data, DWORD* count) { return Database().SettingQueryPointer(2, 9, 0x300, data, count); }, 1},
  };
  // The setting that the query reads back: three 32-bit values.
  DWORD setting[3] = {7, 8, 9};
  ASSERT_EQ(Database().SyncExec(2, 3, 0x300, setting, 0x20, 3), 0);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Name);
    const CReply got = CQuery(row.C);
    void* data = nullptr;
    DWORD count = 0;
    const WORD result = row.Cpp(&data, &count);
    ASSERT_EQ(got.Status, result);
    if (result != 0)
      continue;
    EXPECT_EQ(got.Count, count);
    EXPECT_EQ(got.Bytes, BytesAt(data, count * row.Width));
    EXPECT_EQ(1u << (got.Type >> 4), row.Width);
  }
}

TEST_F(RequestsAgreementTest, GuiQueryCopiesTheWholeReplyPacket) {
  const CReply got = CQuery([](void* data, uint32_t capacity, uint32_t* size, auto...) {
    return zdz_gui_query(2, 2, 0x123, data, capacity, size);
  });
  _ModulePacket* reply = nullptr;
  ASSERT_EQ(Database().GuiQuery(2, 2, 0x123, &reply), 0);
  ASSERT_EQ(got.Status, ZDZ_OK);
  EXPECT_EQ(got.Bytes, BytesAt(reply, CEndianModulePacket(reply).GetPacketSize()));
}

// The table's bytes are the caller buffers' test.
TEST_F(RequestsAgreementTest, SequenceModeAndHelpOriginAreTheDatabases) {
  SimSetSeqInfo(2, 4, 2, nullptr, 0);
  WORD expectedMode = 0;
  ASSERT_EQ(Database().GetSeqMode(2, 4, &expectedMode), 0);
  EXPECT_EQ(AnswerOf(zdz_get_seq_mode, 2, 4), expectedMode);
  EXPECT_EQ(TextOf(Bound(zdz_get_seq_table, 2, 4), 205), "");

  SimAddFault(1, 1, {.Group = 10, .Result = 77}); // the query group fails
  uint16_t fromQuery = 9;
  ASSERT_EQ(CQuery([&](auto... out) { return zdz_help_query_pointer(1, 1, out..., &fromQuery); }).Status, ZDZ_OK);
  EXPECT_EQ(fromQuery, 0);
}

TEST_F(RequestsAgreementTest, ExecutionsSendWhatTheDatabaseSends) {
  const WORD values[] = {0x1234, 0x5678};
  ASSERT_EQ(zdz_sync_exec(2, 2, 0x301, values, 0x10, 2), ZDZ_OK);
  const SimQuery byC = SimQueries(2, 2).back();
  ASSERT_EQ(Database().SyncExec(2, 2, 0x301, const_cast<WORD*>(values), 0x10, 2), 0);
  const SimQuery byCpp = SimQueries(2, 2).back();
  EXPECT_EQ(std::tie(byC.In, byC.Cntl, byC.Group), std::tie(byCpp.In, byCpp.Cntl, byCpp.Group));
  EXPECT_EQ(byC.In.size(), 4u);
}

// Names are the caller buffers' table.
TEST_F(RequestsAgreementTest, FrontendsAreTheDatabases) {
  EXPECT_EQ(AnswerOf(zdz_get_frontend_module, 2, 0x12), Database().GetFrontendModule(2, 0x12));
  void* frontend = nullptr;
  EXPECT_EQ(zdz_get_frontend_module(2, 9, &frontend), ZDZ_E_UNKNOWN);
  EXPECT_EQ(frontend, nullptr);
}

// Every channel's wave information is python/tests/test_acquisition.py::test_wave_info_describes_every_channel.
TEST_F(RequestsAgreementTest, WaveAndAcquisitionInformationAreTheDatabasesRecords) {
  CRplySync sync;
  WAVEINF expected[100];
  WORD expectedCount = 0;
  ASSERT_EQ(Database().GetWaveInfo(5, 2, 0, -1, 0, expected, &expectedCount, &sync), 0);
  uint16_t count = 0;
  zdz_waveinf two[2];
  EXPECT_EQ(zdz_get_wave_info(5, 2, 0, -1, 0, two, 2, &count, 0), ZDZ_E_BUFFER_TOO_SMALL);
  EXPECT_EQ(count, 4);
  EXPECT_EQ(std::memcmp(two, expected, sizeof two), 0);

  _AcqDataInfo expectedInfo[8];
  ASSERT_EQ(Database().GetAcqInfo(5, 2, 0, -1, 0, expectedInfo, &expectedCount, &sync), 0);
  zdz_acq_data_info acq[8];
  ASSERT_EQ(zdz_get_acq_info(5, 2, 0, -1, 0, acq, 8, &count, 0), ZDZ_OK);
  ASSERT_EQ(count, expectedCount);
  EXPECT_EQ(std::memcmp(acq, expectedInfo, count * sizeof(_AcqDataInfo)), 0);
}

struct AcqRequest {
  const char* Name;
  WORD Module;
  LONG First;
  LONG Third;
  DWORD Points;
  WORD Direction;
  DWORD Capacity;
  /// What the C call reports: the bytes in the buffer and the module's element count.
  DWORD Bytes;
  DWORD Elements;
  /// What the C++ call reports in *size.
  DWORD Size;
};

TEST_F(RequestsAgreementTest, AcquiredDataIsTheDatabasesWithTheFirstReplysBytesAndTheModulesCount) {
  // Echo's module holds 1000 points of 16-bit minimum and maximum per channel.
  const AcqRequest rows[] = {
      {"points asked", 2, 1, 0, 100, 2, 4096, 400, 200, 400},
      {"fewer points held than asked", 2, 1, 950, 100, 2, 4096, 200, 100, 100},
      {"all points", 2, 2, 0, 0, 0, 8192, 4000, 2000, 4000},
      {"ending at the start point", 2, 0, 500, 10, 1, 4096, 40, 20, 40},
      // The second request's scratch holds PointNum elements and 16 bytes: the count stops there.
      {"buffer smaller than the reply", 2, 1, 0, 100, 2, 100, 100, 1008, 1008},
      {"module not filed", 9, 1, 0, 100, 2, 4096, 0, 0, 0},
  };
  for (const AcqRequest& row : rows) {
    SCOPED_TRACE(row.Name);
    std::vector<BYTE> cBuffer(row.Capacity, 0xCC);
    std::vector<BYTE> cppBuffer(row.Capacity, 0xCC);
    uint16_t type = 0;
    uint32_t bytes = 0xEEEE, elements = 0xEEEE;
    const int32_t status = zdz_get_acq_data_ex(5, row.Module, 0, row.First, 0, row.Third, 0, row.Points, row.Direction,
                                               cBuffer.data(), row.Capacity, &type, &bytes, &elements, 0);
    CRplySync sync;
    WORD cppType = 0;
    DWORD size = 0;
    const WORD result = Database().GetAcqDataEx(5, row.Module, 0, row.First, 0, row.Third, 0, row.Points, row.Direction,
                                                cppBuffer.data(), row.Capacity, &cppType, &size, &sync);
    EXPECT_EQ(status, result);
    EXPECT_EQ(cBuffer, cppBuffer);
    EXPECT_EQ(bytes, row.Bytes);
    EXPECT_EQ(elements, row.Elements);
    EXPECT_EQ(size, row.Size);
    EXPECT_EQ(type, row.Bytes > 0 ? 0x10 : 0);
  }
}

// A request carries the time-out asked for, or the default for 0.
TEST_F(RequestsAgreementTest, CurrentDataIsTheDatabasesAskedWithTheTimeOutGiven) {
  const struct {
    WORD Module;
    uint32_t TimeOut, Sent;
  } rows[] = {{1, 250, 250}, {1, 0, 10000}, {3, 0, 10000}, {9, 0, 0}};
  for (const auto& row : rows) {
    SCOPED_TRACE(std::to_string(row.Module) + " " + std::to_string(row.TimeOut));
    std::vector<BYTE> cBuffer(256, 0xCC);
    std::vector<BYTE> cppBuffer(256, 0xCC);
    uint32_t size = 0;
    uint16_t type = 0;
    const int32_t status = zdz_get_current_data(1, row.Module, -1, cBuffer.data(), 256, &size, &type, row.TimeOut);
    const std::vector<SimQuery> queries = SimQueries(1, row.Module);
    EXPECT_EQ(queries.empty() ? 0 : queries.back().SyncTimeOut, row.Sent);
    CRplySync sync;
    DWORD cppSize = 256;
    WORD cppType = 0;
    EXPECT_EQ(status, Database().GetCurrentData(1, row.Module, -1, &cppSize, cppBuffer.data(), &cppType, &sync));
    EXPECT_EQ(size, cppSize);
    EXPECT_EQ(cBuffer, cppBuffer);
    EXPECT_EQ(type, cppType);
  }
}

TEST_F(RequestsAgreementTest, ScalingTablesGoToTheModuleAsTheDatabaseSendsThem) {
  zdz_chnlinf table[2];
  std::memset(table, 0x3C, sizeof table);
  table[1].bytes[0] = 0x3D;
  ASSERT_EQ(zdz_set_scale_tbl(1, 1, 0, table, 2, 1, 0), ZDZ_OK);
  const std::vector<SimQuery> byC = SimQueries(1, 1);
  CHNLINF records[2];
  std::memcpy(records, table, sizeof records);
  CRplySync sync;
  ASSERT_EQ(Database().SetScaleTbl(1, 1, 0, records, 2, 1, &sync), 0);
  const std::vector<SimQuery> all = SimQueries(1, 1);
  ASSERT_EQ(byC.size(), 2u);
  ASSERT_EQ(all.size(), 4u);
  for (std::size_t index = 0; index < 2; ++index) {
    EXPECT_EQ(byC[index].Cntl, all[index + 2].Cntl);
    EXPECT_EQ(byC[index].In, all[index + 2].In);
  }
  EXPECT_EQ(byC[1].In.size(), 192u);
}
} // namespace
