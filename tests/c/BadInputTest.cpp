// Every C function answers bad input with a status: null pointers, unknown ids, values out of
// range, handles never made or released (the output buffers' cases are CallerBuffersTest's). Run
// under ASan and UBSan, a row that reads or writes where it must not fails the suite.
#include "tests/c/CInterfaceFixture.h"

#include <cstdint>

namespace {
struct BadInputRow {
  const char* Name;
  int32_t (*Call)();
  int32_t Status;
};

constexpr int32_t Arg = ZDZ_E_ARGUMENT;
constexpr int32_t Unknown = ZDZ_E_UNKNOWN;
constexpr int32_t Handle = ZDZ_E_HANDLE;
constexpr int32_t NotFound = ZDZ_E_NOT_FOUND;
constexpr int32_t TooSmall = ZDZ_E_BUFFER_TOO_SMALL;
constexpr WORD NoStation = 77;
constexpr WORD NoModule = 9;

/// The outputs a row passes where it breaks something else.
struct Outputs {
  char Text[8] = {};
  uint8_t Bytes[8] = {};
  uint32_t Size = 0;
  uint16_t Word = 0;
  int32_t Int = 0;
  uint32_t Dword = 0;
  uint16_t Words[32] = {};
  int32_t Ints[8] = {};
  void* Pointer = nullptr;
  zdz_rect Rect{};
  zdz_waveinf Wave[2]{};
  zdz_acq_data_info Acq[2]{};
  zdz_act_on_trig_info Trig{};
  zdz_ch_wave_info Channel{};
  zdz_window_placement Placement{};
  zdz_viewer* Viewer = nullptr;
  zdz_interpreter* Interpreter = nullptr;
};

// What the rows write to and the handles they pass, at namespace scope so that a row captures
// nothing that could end before it runs.
Outputs Out;
Outputs Released;
char* const T = Out.Text;
uint32_t* const S = &Out.Size;
uint16_t* const W = &Out.Word;
uint32_t* const D = &Out.Dword;
int32_t* const I = &Out.Int;
uint8_t* const B = Out.Bytes;
zdz_viewer* const NeverMade = reinterpret_cast<zdz_viewer*>(std::uintptr_t{0x12345678});
zdz_settings_file* const NeverOpened = reinterpret_cast<zdz_settings_file*>(std::uintptr_t{0x1001});

class BadInputTest : public CInterfaceFixture {
protected:
  BadInputTest() {
    EXPECT_EQ(zdz_viewer_create(2, &Released.Viewer), ZDZ_OK);
    EXPECT_EQ(zdz_viewer_release(Released.Viewer), ZDZ_OK);
    EXPECT_EQ(zdz_interpreter_create(nullptr, 0, nullptr, &Released.Interpreter), ZDZ_OK);
    EXPECT_EQ(zdz_interpreter_release(Released.Interpreter), ZDZ_OK);
  }
};

std::vector<BadInputRow> Rows() {
  static uint8_t packet[64] = {};
  static const zdz_chnlinf table[2] = {};
  static const zdz_packet_handler handlers[62] = {};
  return {
      {"call_locked null", [] { return zdz_call_locked(nullptr, nullptr); }, Arg},
      {"get_frontend_no null", [] { return zdz_get_frontend_no(nullptr); }, Arg},
      {"set_current_path null", [] { return zdz_set_current_path(nullptr); }, Arg},
      {"set_multi_module_path null", [] { return zdz_set_multi_module_path(nullptr); }, Arg},
      {"set_flag unknown", [] { return zdz_set_flag(ZDZ_FLAG_COUNT, 1); }, Arg},
      {"set_flag negative", [] { return zdz_set_flag(-1, 1); }, Arg},
      {"get_flag unknown", [] { return zdz_get_flag(99, I); }, Arg},
      {"get_flag null", [] { return zdz_get_flag(0, nullptr); }, Arg},
      {"set_save_on_trig_monitor_rect null", [] { return zdz_set_save_on_trig_monitor_rect(nullptr); }, Arg},
      {"get_save_on_trig_monitor_rect null", [] { return zdz_get_save_on_trig_monitor_rect(nullptr); }, Arg},

      {"add_station null name", [] { return zdz_add_station(9, nullptr, ""); }, Arg},
      {"add_station null model", [] { return zdz_add_station(9, "", nullptr); }, Arg},
      {"add_station model too long", [] { return zdz_add_station(9, "", "0123456789012345678901234567890123"); }, Arg},
      {"add_station filed", [] { return zdz_add_station(1, "Again", ""); }, ZDZ_E_EXISTS},
      {"set_station_slot unknown", [] { return zdz_set_station_slot(NoStation, 1, 1, 1, 1); }, Unknown},
      {"set_station_slot slot 16", [] { return zdz_set_station_slot(1, 16, 1, 1, 1); }, Arg},
      {"set_station_list_index unknown", [] { return zdz_set_station_list_index(NoStation, 1); }, Unknown},
      {"set_station_tree_item unknown", [] { return zdz_set_station_tree_item(NoStation, 1); }, Unknown},
      {"set_station_access_state unknown", [] { return zdz_set_station_access_state(NoStation, 1); }, Unknown},
      {"get_station_model unknown", [] { return zdz_get_station_model(NoStation, T, 8, S); }, Unknown},
      {"get_station_stored unknown", [] { return zdz_get_station_stored(NoStation, &Out.Rect, Out.Ints); }, Unknown},
      {"get_station_stored null", [] { return zdz_get_station_stored(1, &Out.Rect, nullptr); }, Arg},
      {"get_station_ids null count", [] { return zdz_get_station_ids(Out.Words, 4, nullptr); }, Arg},
      {"get_station_ids null ids", [] { return zdz_get_station_ids(nullptr, 4, S); }, Arg},

      {"add_module unknown station", [] { return zdz_add_module(NoStation, 1, "", 0, 1, nullptr); }, Unknown},
      {"add_module filed", [] { return zdz_add_module(1, 1, "", 0, 1, nullptr); }, ZDZ_E_EXISTS},
      {"add_module null product", [] { return zdz_add_module(1, 2, nullptr, 0, 1, nullptr); }, Arg},
      {"add_module product too long",
       [] { return zdz_add_module(1, 2, "0123456789012345678901234567890123", 0, 1, nullptr); }, Arg},
      {"set_module_data_cntl_id unknown", [] { return zdz_set_module_data_cntl_id(1, NoModule, 1); }, Unknown},
      {"set_module_flags unknown", [] { return zdz_set_module_flags(1, NoModule, 1); }, Unknown},
      {"set_module_event_id unknown", [] { return zdz_set_module_event_id(1, NoModule, 1); }, Unknown},
      {"set_module_tree_item unknown", [] { return zdz_set_module_tree_item(1, NoModule, 1); }, Unknown},
      {"set_module_scaling unknown", [] { return zdz_set_module_scaling(1, NoModule, 1, table, 2); }, Unknown},
      {"set_module_scaling null table", [] { return zdz_set_module_scaling(1, 1, 1, nullptr, 2); }, Arg},
      {"get_module_ids unknown", [] { return zdz_get_module_ids(NoStation, Out.Words, 4, S); }, Unknown},
      {"get_module_ids null count", [] { return zdz_get_module_ids(1, Out.Words, 4, nullptr); }, Arg},
      {"get_module_product_name unknown", [] { return zdz_get_module_product_name(1, NoModule, T, 8, S); }, Unknown},
      {"get_module_product_word unknown", [] { return zdz_get_module_product_word(1, NoModule, D); }, Unknown},
      {"get_module_product_word null", [] { return zdz_get_module_product_word(1, 1, nullptr); }, Arg},
      {"get_module_stored unknown", [] { return zdz_get_module_stored(1, NoModule, I, I, B, Out.Ints); }, Unknown},
      {"get_module_stored null", [] { return zdz_get_module_stored(1, 1, I, nullptr, B, Out.Ints); }, Arg},
      {"get_module_act_on_trig_info unknown", [] { return zdz_get_module_act_on_trig_info(1, NoModule, &Out.Trig); },
       Unknown},
      {"get_module_act_on_trig_info null", [] { return zdz_get_module_act_on_trig_info(1, 1, nullptr); }, Arg},
      {"update_data_base_ex unknown", [] { return zdz_update_data_base_ex("x", NoStation, T, 8, S); }, Unknown},
      {"update_data_base_ex null file", [] { return zdz_update_data_base_ex(nullptr, 1, T, 8, S); }, Arg},
      {"update_data_base unknown", [] { return zdz_update_data_base(NoStation); }, Unknown},
      {"reset_act_on_trig_database unknown", [] { return zdz_reset_act_on_trig_database(NoStation); }, Unknown},

      {"find_station_by_name null", [] { return zdz_find_station_by_name(nullptr, W); }, Arg},
      {"find_station_by_name null out", [] { return zdz_find_station_by_name("Alpha", nullptr); }, Arg},
      {"find_station_by_list_index null", [] { return zdz_find_station_by_list_index(0, nullptr); }, Arg},
      {"find_station_by_tree_item null", [] { return zdz_find_station_by_tree_item(0, nullptr); }, Arg},
      {"find_module_by_tree_item null", [] { return zdz_find_module_by_tree_item(0, W, nullptr); }, Arg},
      {"is_same_station_name null", [] { return zdz_is_same_station_name(nullptr, 1, I); }, Arg},
      {"get_chan_scale_inf null", [] { return zdz_get_chan_scale_inf(1, 1, 0, 0, nullptr); }, Arg},
      {"get_product_name not filed", [] { return zdz_get_product_name(1, 2, T, 8, S); }, 0xFFFF},

      {"gui_query unknown", [] { return zdz_gui_query(1, NoModule, 0x123, B, 8, S); }, 205},
      {"gui_get_array unknown", [] { return zdz_gui_get_array(1, NoModule, 0x123, 0, B, 8, S, nullptr, nullptr); },
       205},
      {"get_seq_table unknown", [] { return zdz_get_seq_table(1, NoModule, B, 8, S); }, 205},
      {"get_seq_mode null", [] { return zdz_get_seq_mode(1, 1, nullptr); }, Arg},
      {"sync_exec null data", [] { return zdz_sync_exec(1, 1, 0x300, nullptr, 0x00, 4); }, Arg},
      {"get_frontend_module null", [] { return zdz_get_frontend_module(1, 1, nullptr); }, Arg},
      {"gui_get_station_name unknown", [] { return zdz_gui_get_station_name(NoStation, T, 8, S); }, Unknown},
      {"gui_get_module_name unknown", [] { return zdz_gui_get_module_name(1, NoModule, T, 8, S); }, Unknown},

      {"get_wave_info null count", [] { return zdz_get_wave_info(5, 2, 0, -1, 0, Out.Wave, 2, nullptr, 0); }, Arg},
      {"get_wave_info null records", [] { return zdz_get_wave_info(5, 2, 0, -1, 0, nullptr, 2, W, 0); }, Arg},
      {"get_wave_info no room asked", [] { return zdz_get_wave_info(5, 2, 0, -1, 0, nullptr, 0, W, 0); }, TooSmall},
      {"get_acq_info too few", [] { return zdz_get_acq_info(5, 2, 0, -1, 0, Out.Acq, 2, W, 0); }, TooSmall},
      {"get_acq_info unknown", [] { return zdz_get_acq_info(5, NoModule, 0, -1, 0, Out.Acq, 2, W, 0); }, 502},
      {"get_acq_data_ex null buffer",
       [] { return zdz_get_acq_data_ex(5, 2, 0, 0, 0, 0, 0, 1, 0, nullptr, 8, W, D, S, 0); }, Arg},
      {"get_acq_data_ex null outputs",
       [] { return zdz_get_acq_data_ex(5, 2, 0, 0, 0, 0, 0, 1, 0, B, 8, nullptr, D, S, 0); }, Arg},
      {"get_acq_data_ex direction 7", [] { return zdz_get_acq_data_ex(5, 2, 0, 0, 0, 0, 0, 1, 7, B, 8, W, D, S, 0); },
       ZDZ_OK},
      {"get_acq_data_ex no room",
       [] { return zdz_get_acq_data_ex(5, 2, 0, 0, 0, 0, 0, 100, 2, nullptr, 0, W, D, S, 0); }, ZDZ_OK},
      {"get_current_data null size", [] { return zdz_get_current_data(1, 1, -1, B, 8, nullptr, W, 0); }, Arg},
      {"get_current_data null buffer", [] { return zdz_get_current_data(1, 1, -1, nullptr, 8, S, W, 0); }, Arg},
      {"set_scale_tbl null table", [] { return zdz_set_scale_tbl(1, 1, 0, nullptr, 2, 1, 0); }, Arg},
      {"set_scale_tbl unknown", [] { return zdz_set_scale_tbl(1, NoModule, 0, table, 2, 1, 0); }, 502},

      {"regist_frontend_used_module unknown", [] { return zdz_regist_frontend_used_module(0x20, 1, 1); }, Unknown},
      {"is_use_front_end null", [] { return zdz_is_use_front_end(1, 1, nullptr, nullptr); }, Arg},
      {"is_use_front_end_by null", [] { return zdz_is_use_front_end_by(0x10, 1, 1, nullptr); }, Arg},
      {"is_use_front_end_and_run null", [] { return zdz_is_use_front_end_and_run(1, 1, nullptr); }, Arg},
      {"stop_viewer unknown", [] { return zdz_stop_viewer(1, NoModule); }, Unknown},
      {"exit_multi_module unknown", [] { return zdz_exit_multi_module(NoStation, 1); }, Unknown},
      {"is_access_enable null", [] { return zdz_is_access_enable(1, nullptr); }, Arg},
      {"is_release_enable unknown", [] { return zdz_is_release_enable(NoStation, I); }, Unknown},

      {"add_gui_filter unknown", [] { return zdz_add_gui_filter(1, NoModule, 1, 1); }, Unknown},
      {"add_named_gui_filter null", [] { return zdz_add_named_gui_filter(1, 1, nullptr, 1); }, Arg},
      {"remove_gui_filter unknown", [] { return zdz_remove_gui_filter(NoStation, 1, 1); }, Unknown},
      {"remove_named_gui_filter null", [] { return zdz_remove_named_gui_filter(1, 1, nullptr); }, Arg},
      {"remove_all_gui_filter unknown", [] { return zdz_remove_all_gui_filter(1, NoModule); }, Unknown},
      {"get_gui_filter null", [] { return zdz_get_gui_filter(1, 1, 1, nullptr); }, Arg},
      {"get_named_gui_filter null name", [] { return zdz_get_named_gui_filter(1, 1, nullptr, W); }, Arg},

      {"zoc_get_product_id null", [] { return zdz_zoc_get_product_id(1, 1, nullptr); }, Arg},
      {"zoc_get_unit_str_ex null texts", [] { return zdz_zoc_get_unit_str_ex(0xFFF1, nullptr, nullptr, T, 8, S); },
       ZDZ_OK},
      {"zoc_set_channel_wave_info null source", [] { return zdz_zoc_set_channel_wave_info(nullptr, &Out.Channel); },
       Arg},
      {"zoc_set_channel_wave_info null target", [] { return zdz_zoc_set_channel_wave_info(Out.Wave, nullptr); }, Arg},
      {"zoc_exec_module_test null", [] { return zdz_zoc_exec_module_test(1, 1, 0xFF, nullptr); }, Arg},
      {"zoc_get_front_end1 null", [] { return zdz_zoc_get_front_end1(1, 1, nullptr); }, Arg},
      {"zoc_get_front_end2 unknown", [] { return zdz_zoc_get_front_end2(-1, 1, &Out.Pointer); }, Unknown},
      {"zoc_mote_sync_exec2 null data", [] { return zdz_zoc_mote_sync_exec2(1, 1, 0x300, nullptr, 0x00, 1); }, Arg},
      {"zoc_mote_setting_query null out",
       [] { return zdz_zoc_mote_setting_query(1, 1, 0x300, nullptr, 8, nullptr, nullptr); }, Arg},
      {"zoc_start_button unknown", [] { return zdz_zoc_start_button(1, NoModule); }, 0xFFFF},
      {"zoc_get_file_num_in_save_mode null", [] { return zdz_zoc_get_file_num_in_save_mode(1, 1, nullptr); }, Arg},
      {"zo_get_cg_class null", [] { return zdz_zo_get_cg_class(nullptr); }, Arg},
      {"convert_term null source", [] { return zdz_convert_term(nullptr, T, 8, S); }, Arg},

      {"viewer_create null", [] { return zdz_viewer_create(2, nullptr); }, Arg},
      {"viewer_create no channels", [] { return zdz_viewer_create(0, &Out.Viewer); }, Arg},
      {"viewer_release null", [] { return zdz_viewer_release(nullptr); }, Arg},
      {"viewer_release never made", [] { return zdz_viewer_release(NeverMade); }, Handle},
      {"viewer_from_text null", [] { return zdz_viewer_from_text(nullptr, &Out.Viewer); }, Arg},
      {"viewer_from_text null out", [] { return zdz_viewer_from_text("ChannelNumber 2;", nullptr); }, Arg},
      {"viewer_to_text null", [] { return zdz_viewer_to_text(nullptr, T, 8, S); }, Arg},
      {"viewer_group_from_text released", [] { return zdz_viewer_group_from_text(Released.Viewer, "Group1 a;"); },
       Handle},
      {"viewer_group_from_text null text", [] { return zdz_viewer_group_from_text(NeverMade, nullptr); }, Arg},
      {"viewer_group_to_text never made", [] { return zdz_viewer_group_to_text(NeverMade, 0, T, 8, S); }, Handle},
      {"viewer_lookup null", [] { return zdz_viewer_lookup(2, 2, nullptr); }, Arg},
      {"viewer_lookup unknown", [] { return zdz_viewer_lookup(2, NoModule, &Out.Viewer); }, Unknown},
      {"viewer_lookup_file null file", [] { return zdz_viewer_lookup_file(2, 2, nullptr, &Out.Viewer); }, Arg},
      {"viewer_lookup_file missing file", [] { return zdz_viewer_lookup_file(2, 2, "no/such.ini", &Out.Viewer); },
       NotFound},
      {"viewer_keyword null", [] { return zdz_viewer_keyword(0, nullptr, nullptr); }, Arg},
      {"viewer_get released", [] { return zdz_viewer_get(Released.Viewer, "GridType", -1, T, 8, S); }, Handle},
      {"viewer_get null keyword", [] { return zdz_viewer_get(NeverMade, nullptr, -1, T, 8, S); }, Arg},
      {"viewer_set released", [] { return zdz_viewer_set(Released.Viewer, "GridType", -1, "1"); }, Handle},
      {"viewer_set null values", [] { return zdz_viewer_set(NeverMade, "GridType", -1, nullptr); }, Arg},

      {"decode_packet null", [] { return zdz_decode_packet(nullptr, 32, ZDZ_PACKET_MODULE, T, 8, S); }, Arg},
      {"decode_packet short station", [] { return zdz_decode_packet(packet, 59, ZDZ_PACKET_STATION, T, 8, S); }, Arg},
      {"decode_packet kind", [] { return zdz_decode_packet(packet, 64, 3, T, 8, S); }, Arg},
      {"handler_name null", [] { return zdz_handler_name(1, nullptr); }, Arg},
      {"interpreter_create null out", [] { return zdz_interpreter_create(nullptr, 0, nullptr, nullptr); }, Arg},
      {"interpreter_create null handlers", [] { return zdz_interpreter_create(nullptr, 3, nullptr, &Out.Interpreter); },
       Arg},
      {"interpreter_create too many", [] { return zdz_interpreter_create(handlers, 62, nullptr, &Out.Interpreter); },
       Arg},
      {"interpret null", [] { return zdz_interpret(nullptr, packet, 64); }, Arg},
      {"interpret short", [] { return zdz_interpret(Released.Interpreter, packet, 31); }, Arg},
      {"interpreter_release null", [] { return zdz_interpreter_release(nullptr); }, Arg},

      {"get_profile_string null file", [] { return zdz_get_profile_string(nullptr, "S", "K", T, 8, S); }, Arg},
      {"get_profile_string null key", [] { return zdz_get_profile_string("f", "S", nullptr, T, 8, S); }, Arg},
      {"write_profile_string null value", [] { return zdz_write_profile_string("f", "S", "K", nullptr); }, Arg},
      {"write_profile_string refused", [] { return zdz_write_profile_string("no/such/file", "S", "", "v"); },
       ZDZ_E_REFUSED_NAME},
      {"get_last_profile_cause null", [] { return zdz_get_last_profile_cause(nullptr); }, Arg},
      {"read_profile_file null file", [] { return zdz_read_profile_file(nullptr, T, 8, S); }, Arg},
      {"settings_file_open null", [] { return zdz_settings_file_open(nullptr, nullptr); }, Arg},
      {"read_string_ex null", [] { return zdz_read_string_ex(nullptr, T, 8, S); }, Arg},
      {"settings_file_close never made", [] { return zdz_settings_file_close(NeverOpened); }, Handle},
      {"read_window_placement null", [] { return zdz_read_window_placement(nullptr); }, Arg},
      {"read_window_placement_file null file", [] { return zdz_read_window_placement_file(&Out.Placement, nullptr); },
       Arg},
      {"write_window_placement null", [] { return zdz_write_window_placement(nullptr, "f"); }, Arg},
      {"read_window_placement_ex_file null", [] { return zdz_read_window_placement_ex_file(nullptr, 1, 1, "f"); }, Arg},
      {"get_module_backup_inf unknown", [] { return zdz_get_module_backup_inf(1, NoModule, T, 8, S); }, Unknown},
      {"get_module_backup_inf_file null file", [] { return zdz_get_module_backup_inf_file(1, 1, nullptr, T, 8, S); },
       Arg},
      {"get_station_backup_inf unknown", [] { return zdz_get_station_backup_inf(NoStation, "f", T, 8, S); }, Unknown},
      {"get_station_backup_inf null size", [] { return zdz_get_station_backup_inf(1, "f", T, 8, nullptr); }, Arg},
      {"get_install_directory null", [] { return zdz_get_install_directory(nullptr, T, 8, S); }, Arg},
      {"get_install_directory none", [] { return zdz_get_install_directory("", T, 8, S); }, NotFound},
      {"get_display_property null", [] { return zdz_get_display_property(I, I, nullptr, &Out.Rect); }, Arg},

      {"sim_load_virtual_stations null message",
       [] { return zdz_sim_load_virtual_stations(TestStations, nullptr, 8, nullptr); }, Arg},
  };
}

TEST_F(BadInputTest, EveryFunctionAnswersBadInputWithAStatus) {
  for (const BadInputRow& row : Rows()) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(row.Call(), row.Status);
  }
}
} // namespace
