// The C control functions answer and send what the Zoc functions they wrap answer and send.
#include "tests/c/CInterfaceFixture.h"
#include <zodavudaz/control/ChannelWaveInfo.h>
#include <zodavudaz/control/ControlRequests.h>
#include <zodavudaz/control/ModuleTest.h>
#include <zodavudaz/control/StartControls.h>

#include <cstring>

namespace {
class ControlAgreementTest : public CInterfaceFixture {};

TEST_F(ControlAgreementTest, StoredValuesAreTheControlFunctionsWithTheirCodes) {
  struct Row {
    const char* Name;
    int32_t (*C)(uint16_t, uint16_t, uint32_t*);
    WORD (*Cpp)(WORD, WORD, DWORD*);
  };
  const Row rows[] = {
      {"ZocGetProductId", zdz_zoc_get_product_id, ZocGetProductId},
      {"ZocGetFileNumInSaveMode", zdz_zoc_get_file_num_in_save_mode, ZocGetFileNumInSaveMode},
      {"ZocGetFileStartNoInSaveMode", zdz_zoc_get_file_start_no_in_save_mode, ZocGetFileStartNoInSaveMode},
  };
  CModule* module = nullptr;
  ASSERT_TRUE(Database().GetModuleInf(2, 3, &module));
  module->ActOnTrigInfo.FileNum = 12;
  module->ActOnTrigInfo.FileStartNo = 34;
  for (const Row& row : rows)
    for (const WORD slot : {WORD{3}, WORD{9}}) {
      SCOPED_TRACE(std::string(row.Name) + " slot " + std::to_string(slot));
      uint32_t value = 0x5A5A;
      DWORD expected = 0x5A5A;
      EXPECT_EQ(row.C(2, slot, &value), row.Cpp(2, slot, &expected));
      EXPECT_EQ(value, expected);
    }
}

TEST_F(ControlAgreementTest, ChannelWaveInformationIsFilledAsTheControlFunctionFillsIt) {
  zdz_waveinf source[4];
  uint16_t count = 0;
  ASSERT_EQ(zdz_get_wave_info(5, 2, 0, -1, 0, source, 4, &count, 0), ZDZ_OK);
  source[1].unit_code = 0xFFF1;
  std::memcpy(source[1].unit_text1, "mV/V", 4);
  std::memcpy(source[1].unit_text2, "abcd", 4);
  source[1].time_stamp = 86400 * 365;
  WAVEINF wave;
  std::memcpy(&wave, &source[1], sizeof wave);
  ChWaveInfo expected;
  ZocSetChannelWaveInfo(&wave, &expected);
  zdz_ch_wave_info info{};
  ASSERT_EQ(zdz_zoc_set_channel_wave_info(&source[1], &info), ZDZ_OK);
  EXPECT_EQ(std::tie(info.channel, info.data_type, info.point_num, info.byte_c, info.byte_d, info.interval, info.span),
            std::tie(expected.Channel, expected.DataType, expected.PointNum, expected.ByteC, expected.ByteD,
                     expected.Interval, expected.Span));
  EXPECT_EQ(std::memcmp(info.block, expected.Block, sizeof info.block), 0);
  EXPECT_EQ(std::memcmp(info.values, expected.Values, sizeof info.values), 0);
  EXPECT_EQ((std::vector<std::string>{info.name, info.unit, info.second_unit, info.date, info.time}),
            (std::vector<std::string>{TextOf(expected.Name), TextOf(expected.Unit), TextOf(expected.SecondUnit),
                                      TextOf(expected.Date), TextOf(expected.Time)}));
}

TEST_F(ControlAgreementTest, ModuleTestsAnswerAsTheControlFunction) {
  for (const WORD slot : {WORD{0}, WORD{3}, WORD{9}}) {
    SCOPED_TRACE(slot);
    uint16_t results[17];
    std::fill(std::begin(results), std::end(results), 0xA5A5);
    WORD expected[17];
    const int32_t status = zdz_zoc_exec_module_test(2, slot, 0xFF, results);
    EXPECT_EQ(status, ZocExecModuleTest(2, slot, 0xFF, expected));
    EXPECT_EQ(std::memcmp(results, expected, sizeof expected), 0);
  }
}

TEST_F(ControlAgreementTest, RequestsWithAndWithoutFrontendGoWhereTheControlFunctionsSendThem) {
  EXPECT_EQ(AnswerOf(zdz_zoc_get_front_end1, 2, 3), ZocGetFrontEnd1(2, 3));
  SimSetStation({.Id = 2, .Address = 0x0123});
  EXPECT_EQ(AnswerOf(zdz_zoc_get_front_end2, 0x0123, 3), ZocGetFrontEnd2(0x0123, 3));

  ASSERT_EQ(zdz_zoc_mote_sync_exec(2, 3, 0x305), ZocMoteSyncExec(2, 3, 0x305));
  const BYTE data[] = {1, 2, 3};
  ASSERT_EQ(zdz_zoc_mote_sync_exec2(2, 3, 0x306, data, 0x00, 3), ZDZ_OK);
  const std::vector<SimQuery> queries = SimQueries(2, 3);
  ASSERT_EQ(queries.size(), 3u);
  EXPECT_EQ(queries[0].Cntl, queries[1].Cntl);
  EXPECT_EQ(queries[2].In, std::vector<BYTE>(data, data + 3));

  BYTE out[16] = {};
  BYTE expected[16] = {};
  uint16_t type = 0;
  uint32_t count = 0;
  WORD expectedType = 0;
  DWORD expectedCount = 0;
  ASSERT_EQ(zdz_zoc_mote_setting_query(2, 3, 0x306, out, sizeof out, &type, &count),
            ZocMoteSettingQuery(2, 3, 0x306, expected, &expectedType, &expectedCount, sizeof expected));
  EXPECT_EQ(std::memcmp(out, expected, sizeof out), 0);
  EXPECT_EQ(type, expectedType);
  EXPECT_EQ(count, expectedCount);
  EXPECT_EQ(count, 3u);
}

TEST_F(ControlAgreementTest, ButtonsAndTheLedPostWhatTheControlFunctionsPost) {
  ASSERT_EQ(zdz_zoc_start_button(2, 3), ZDZ_OK);
  ASSERT_EQ(ZocStartButton(2, 3), 0);
  ASSERT_EQ(zdz_zoc_stop_button(2, 3), ZDZ_OK);
  EXPECT_EQ(zdz_zoc_stop_button(2, 9), 0xFFFF);
  const std::vector<SimMessage> messages = SimSeqThreadMessages();
  ASSERT_EQ(messages.size(), 3u);
  for (std::size_t index = 0; index < messages.size(); ++index) {
    const _SeqMsgParam& record = messages[index].Record;
    EXPECT_EQ(std::tie(messages[index].Message, record.StationId, record.ModuleId, record.MsgKind, record.StartFlag),
              std::make_tuple(0x437u, 2, 3, 2, index < 2 ? 1u : 0u));
  }
  ASSERT_EQ(zdz_zoc_update_start_led(0x0102, 0x0304, 0x0506), ZDZ_OK);
  ASSERT_EQ(SimGuiThreadMessages().size(), 1u);
  EXPECT_EQ(SimGuiThreadMessages()[0].LParam, 0x06040102);
}

// Unit texts and line ends are the caller buffers' table.
TEST_F(ControlAgreementTest, ProcessValuesAreTheControlFunctions) {
  ASSERT_EQ(zdz_zo_set_cg_class(0xC0FFEE), ZDZ_OK);
  EXPECT_EQ(ZoGetCGClass(), 0xC0FFEEu);
  ZoSetCGClass(17);
  EXPECT_EQ(AnswerOf(zdz_zo_get_cg_class), 17u);
  ASSERT_EQ(zdz_zoc_init(), ZDZ_OK);
}
} // namespace
