// Every C function answers bad input with a status: null pointers, unknown ids, values out of
// range, handles never made or released (the output buffers' cases are CallerBuffersTest's). Run
// under ASan and UBSan, a row that reads or writes where it must not fails the suite.
#include "tests/c/CInterfaceFixture.h"

#include <cstdint>
#include <tuple>

namespace {
/// A C function called with chosen arguments, expecting Status, and once with each argument position
/// Nulled lists made null (or zero) in turn, expecting ZDZ_E_ARGUMENT; rows of ZDZ_E_ARGUMENT with
/// positions make only the calls with a null.
struct BadInputRow {
  std::string Name;
  std::function<int32_t(int nulled)> Call;
  int32_t Status;
  std::vector<int> Nulled;
};

template <typename... ParamT>
BadInputRow Call(const char* name, int32_t status, std::vector<int> nulled, int32_t (*function)(ParamT...),
                 std::type_identity_t<ParamT>... args) {
  const auto call = [=](int position) {
    std::tuple<ParamT...> values(args...);
    std::apply([&](auto&... value) { ((position-- == 0 ? void(value = {}) : void()), ...); }, values);
    return std::apply(function, values);
  };
  if (status != ZDZ_E_ARGUMENT || nulled.empty())
    nulled.insert(nulled.begin(), -1);
  return {name, call, status, std::move(nulled)};
}

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

// What the rows write to and the handles they pass, at namespace scope so that nothing a row
// points at ends before it runs.
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
      Call("call_locked null", Arg, {}, zdz_call_locked, nullptr, nullptr),
      Call("get_frontend_no null", Arg, {}, zdz_get_frontend_no, nullptr),
      Call("set_current_path null", Arg, {}, zdz_set_current_path, nullptr),
      Call("set_multi_module_path null", Arg, {}, zdz_set_multi_module_path, nullptr),
      Call("set_flag unknown", Arg, {}, zdz_set_flag, ZDZ_FLAG_COUNT, 1),
      Call("set_flag negative", Arg, {}, zdz_set_flag, -1, 1),
      Call("get_flag unknown", Arg, {}, zdz_get_flag, 99, I),
      Call("get_flag null", Arg, {}, zdz_get_flag, 0, nullptr),
      Call("set_save_on_trig_monitor_rect null", Arg, {}, zdz_set_save_on_trig_monitor_rect, nullptr),
      Call("get_save_on_trig_monitor_rect null", Arg, {}, zdz_get_save_on_trig_monitor_rect, nullptr),

      Call("add_station model too long", Arg, {}, zdz_add_station, 9, "", "0123456789012345678901234567890123"),
      Call("add_station filed", ZDZ_E_EXISTS, {1, 2}, zdz_add_station, 1, "Again", ""),
      Call("set_station_slot unknown", Unknown, {}, zdz_set_station_slot, NoStation, 1, 1, 1, 1),
      Call("set_station_slot slot 16", Arg, {}, zdz_set_station_slot, 1, 16, 1, 1, 1),
      Call("set_station_list_index unknown", Unknown, {}, zdz_set_station_list_index, NoStation, 1),
      Call("set_station_tree_item unknown", Unknown, {}, zdz_set_station_tree_item, NoStation, 1),
      Call("set_station_access_state unknown", Unknown, {}, zdz_set_station_access_state, NoStation, 1),
      Call("get_station_model unknown", Unknown, {}, zdz_get_station_model, NoStation, T, 8, S),
      Call("get_station_stored unknown", Unknown, {1, 2}, zdz_get_station_stored, NoStation, &Out.Rect, Out.Ints),
      Call("get_station_ids null", Arg, {0, 2}, zdz_get_station_ids, Out.Words, 4, S),

      Call("add_module unknown station", Unknown, {2}, zdz_add_module, NoStation, 1, "", 0, 1, nullptr),
      Call("add_module filed", ZDZ_E_EXISTS, {}, zdz_add_module, 1, 1, "", 0, 1, nullptr),
      Call("add_module product too long", Arg, {}, zdz_add_module, 1, 2, "0123456789012345678901234567890123", 0, 1,
           nullptr),
      Call("set_module_data_cntl_id unknown", Unknown, {}, zdz_set_module_data_cntl_id, 1, NoModule, 1),
      Call("set_module_flags unknown", Unknown, {}, zdz_set_module_flags, 1, NoModule, 1),
      Call("set_module_event_id unknown", Unknown, {}, zdz_set_module_event_id, 1, NoModule, 1),
      Call("set_module_tree_item unknown", Unknown, {}, zdz_set_module_tree_item, 1, NoModule, 1),
      Call("set_module_scaling unknown", Unknown, {3}, zdz_set_module_scaling, 1, NoModule, 1, table, 2),
      Call("get_module_ids unknown", Unknown, {1, 3}, zdz_get_module_ids, NoStation, Out.Words, 4, S),
      Call("get_module_product_name unknown", Unknown, {}, zdz_get_module_product_name, 1, NoModule, T, 8, S),
      Call("get_module_product_word unknown", Unknown, {2}, zdz_get_module_product_word, 1, NoModule, D),
      Call("get_module_stored unknown", Unknown, {2, 3, 4, 5}, zdz_get_module_stored, 1, NoModule, I, I, B, Out.Ints),
      Call("get_module_act_on_trig_info unknown", Unknown, {2}, zdz_get_module_act_on_trig_info, 1, NoModule,
           &Out.Trig),
      Call("update_data_base_ex unknown", Unknown, {0, 2, 4}, zdz_update_data_base_ex, "x", NoStation, T, 8, S),
      Call("update_data_base unknown", Unknown, {}, zdz_update_data_base, NoStation),
      Call("reset_act_on_trig_database unknown", Unknown, {}, zdz_reset_act_on_trig_database, NoStation),

      Call("find_station_by_name other case", Unknown, {0, 1}, zdz_find_station_by_name, "bravo", W),
      Call("find_station_by_list_index unknown", Unknown, {1}, zdz_find_station_by_list_index, 8, W),
      Call("find_station_by_tree_item unknown", Unknown, {1}, zdz_find_station_by_tree_item, 0x7001, W),
      Call("find_module_by_tree_item unknown", Unknown, {1, 2}, zdz_find_module_by_tree_item, 0x7101, W, W),
      Call("is_same_station_name null", Arg, {0, 2}, zdz_is_same_station_name, "Bravo", 1, I),
      Call("is_exist_module unknown", Unknown, {2}, zdz_is_exist_module, NoStation, 1, I),
      Call("get_connect_status unknown", Unknown, {2}, zdz_get_connect_status, NoStation, 1, B),
      Call("check_master unknown", Unknown, {2}, zdz_check_master, NoStation, 1, I),
      Call("check_term unknown", Unknown, {2}, zdz_check_term, NoStation, 1, I),
      Call("search_master unknown", Unknown, {2}, zdz_search_master, NoStation, 1, B),
      Call("get_connect_num unknown", Unknown, {2}, zdz_get_connect_num, NoStation, 1, W),
      Call("get_connect_no unknown", Unknown, {2}, zdz_get_connect_no, NoStation, 1, W),
      Call("get_max_slot unknown", Unknown, {1}, zdz_get_max_slot, NoStation, B),
      Call("get_acq_channel unknown", Unknown, {2}, zdz_get_acq_channel, 1, NoModule, W),
      Call("is_save_on_trig_enable unknown", Unknown, {2}, zdz_is_save_on_trig_enable, NoStation, 1, I),
      Call("get_gui_simple_mode unknown", Unknown, {2}, zdz_get_gui_simple_mode, 1, NoModule, B),
      Call("is_scaling_enable unknown", Unknown, {2}, zdz_is_scaling_enable, 1, NoModule, I),
      Call("get_scaling_status unknown", Unknown, {2}, zdz_get_scaling_status, 1, NoModule, I),
      Call("get_chan_scale_inf null", Arg, {}, zdz_get_chan_scale_inf, 1, 1, 0, 0, nullptr),
      Call("get_product_name not filed", 0xFFFF, {}, zdz_get_product_name, 1, 2, T, 8, S),

      Call("gui_query unknown", 205, {}, zdz_gui_query, 1, NoModule, 0x123, B, 8, S),
      Call("gui_get_array unknown", 205, {}, zdz_gui_get_array, 1, NoModule, 0x123, 0, B, 8, S, nullptr, nullptr),
      Call("get_seq_table unknown", 205, {}, zdz_get_seq_table, 1, NoModule, B, 8, S),
      Call("get_seq_mode null", Arg, {}, zdz_get_seq_mode, 1, 1, nullptr),
      Call("sync_exec unknown", 205, {3}, zdz_sync_exec, 2, NoModule, 0x301, B, 0x00, 4),
      Call("get_frontend_module null", Arg, {}, zdz_get_frontend_module, 1, 1, nullptr),
      Call("gui_get_station_name unknown", Unknown, {}, zdz_gui_get_station_name, NoStation, T, 8, S),
      Call("gui_get_module_name unknown", Unknown, {}, zdz_gui_get_module_name, 1, NoModule, T, 8, S),

      Call("get_wave_info unknown", 502, {5, 7}, zdz_get_wave_info, 5, NoModule, 0, -1, 0, Out.Wave, 2, W, 0),
      Call("get_wave_info no room asked", TooSmall, {}, zdz_get_wave_info, 5, 2, 0, -1, 0, nullptr, 0, W, 0),
      Call("get_acq_info too few", TooSmall, {}, zdz_get_acq_info, 5, 2, 0, -1, 0, Out.Acq, 2, W, 0),
      Call("get_acq_info unknown", 502, {}, zdz_get_acq_info, 5, NoModule, 0, -1, 0, Out.Acq, 2, W, 0),
      Call("get_acq_data_ex direction 7", ZDZ_OK, {9, 11, 12, 13}, zdz_get_acq_data_ex, 5, 2, 0, 0, 0, 0, 0, 1, 7, B, 8,
           W, D, S, 0),
      Call("get_acq_data_ex no room", ZDZ_OK, {}, zdz_get_acq_data_ex, 5, 2, 0, 0, 0, 0, 0, 100, 2, nullptr, 0, W, D, S,
           0),
      Call("get_current_data channel 3", 502, {3, 5, 6}, zdz_get_current_data, 1, 1, 3, B, 8, S, W, 0),
      Call("set_scale_tbl unknown", 502, {3}, zdz_set_scale_tbl, 1, NoModule, 0, table, 2, 1, 0),

      Call("regist_frontend_used_module unknown", Unknown, {}, zdz_regist_frontend_used_module, 0x20, 1, 1),
      Call("is_use_front_end null", Arg, {}, zdz_is_use_front_end, 1, 1, nullptr, nullptr),
      Call("is_use_front_end_by null", Arg, {}, zdz_is_use_front_end_by, 0x10, 1, 1, nullptr),
      Call("is_use_front_end_and_run null", Arg, {}, zdz_is_use_front_end_and_run, 1, 1, nullptr),
      Call("stop_viewer unknown", Unknown, {}, zdz_stop_viewer, 1, NoModule),
      Call("exit_multi_module unknown", Unknown, {}, zdz_exit_multi_module, NoStation, 1),
      Call("is_access_enable unknown", Unknown, {1}, zdz_is_access_enable, NoStation, I),
      Call("is_release_enable unknown", Unknown, {}, zdz_is_release_enable, NoStation, I),

      Call("add_gui_filter unknown", Unknown, {}, zdz_add_gui_filter, 1, NoModule, 1, 1),
      Call("add_named_gui_filter null", Arg, {}, zdz_add_named_gui_filter, 1, 1, nullptr, 1),
      Call("remove_gui_filter unknown", Unknown, {}, zdz_remove_gui_filter, NoStation, 1, 1),
      Call("remove_named_gui_filter null", Arg, {}, zdz_remove_named_gui_filter, 1, 1, nullptr),
      Call("remove_all_gui_filter unknown", Unknown, {}, zdz_remove_all_gui_filter, 1, NoModule),
      Call("get_gui_filter null", Arg, {}, zdz_get_gui_filter, 1, 1, 1, nullptr),
      Call("get_named_gui_filter null", Arg, {2, 3}, zdz_get_named_gui_filter, 1, 1, "x", W),

      Call("zoc_get_product_id null", Arg, {}, zdz_zoc_get_product_id, 1, 1, nullptr),
      Call("zoc_get_unit_str_ex null texts", ZDZ_OK, {}, zdz_zoc_get_unit_str_ex, 0xFFF1, nullptr, nullptr, T, 8, S),
      Call("zoc_set_channel_wave_info null", Arg, {0, 1}, zdz_zoc_set_channel_wave_info, Out.Wave, &Out.Channel),
      Call("zoc_exec_module_test null", Arg, {}, zdz_zoc_exec_module_test, 1, 1, 0xFF, nullptr),
      Call("zoc_get_front_end1 unknown", Unknown, {2}, zdz_zoc_get_front_end1, 2, NoModule, &Out.Pointer),
      Call("zoc_get_front_end2 unknown", Unknown, {}, zdz_zoc_get_front_end2, -1, 1, &Out.Pointer),
      Call("zoc_mote_sync_exec2 null data", Arg, {}, zdz_zoc_mote_sync_exec2, 1, 1, 0x300, nullptr, 0x00, 1),
      Call("zoc_mote_setting_query null out", Arg, {}, zdz_zoc_mote_setting_query, 1, 1, 0x300, nullptr, 8, nullptr,
           nullptr),
      Call("zoc_start_button unknown", 0xFFFF, {}, zdz_zoc_start_button, 1, NoModule),
      Call("zoc_get_file_num_in_save_mode null", Arg, {}, zdz_zoc_get_file_num_in_save_mode, 1, 1, nullptr),
      Call("zo_get_cg_class null", Arg, {}, zdz_zo_get_cg_class, nullptr),
      Call("convert_term null source", Arg, {}, zdz_convert_term, nullptr, T, 8, S),

      Call("viewer_create null", Arg, {}, zdz_viewer_create, 2, nullptr),
      Call("viewer_create no channels", Arg, {}, zdz_viewer_create, 0, &Out.Viewer),
      Call("viewer_release never made", Handle, {0}, zdz_viewer_release, NeverMade),
      Call("viewer_from_text null", Arg, {0, 1}, zdz_viewer_from_text, "ChannelNumber 2;", &Out.Viewer),
      Call("viewer_to_text released", Handle, {0, 1, 3}, zdz_viewer_to_text, Released.Viewer, T, 8, S),
      Call("viewer_group_from_text released", Handle, {0, 1}, zdz_viewer_group_from_text, Released.Viewer, "Group1 a;"),
      Call("viewer_group_to_text never made", Handle, {}, zdz_viewer_group_to_text, NeverMade, 0, T, 8, S),
      Call("viewer_lookup unknown", Unknown, {2}, zdz_viewer_lookup, 2, NoModule, &Out.Viewer),
      Call("viewer_lookup_file missing file", NotFound, {2, 3}, zdz_viewer_lookup_file, 2, 2, "no/such.ini",
           &Out.Viewer),
      Call("viewer_keyword null", Arg, {}, zdz_viewer_keyword, 0, nullptr, nullptr),
      Call("viewer_get released", Handle, {0, 1, 3, 5}, zdz_viewer_get, Released.Viewer, "GridType", -1, T, 8, S),
      Call("viewer_set released", Handle, {0, 1, 3}, zdz_viewer_set, Released.Viewer, "GridType", -1, "1"),

      Call("decode_packet null", Arg, {0, 3, 5}, zdz_decode_packet, packet, 32, ZDZ_PACKET_MODULE, T, 8, S),
      Call("decode_packet short station", Arg, {}, zdz_decode_packet, packet, 59, ZDZ_PACKET_STATION, T, 8, S),
      Call("decode_packet kind", Arg, {}, zdz_decode_packet, packet, 64, 3, T, 8, S),
      Call("handler_name null", Arg, {}, zdz_handler_name, 1, nullptr),
      Call("interpreter_create null", Arg, {0, 3}, zdz_interpreter_create, handlers, 3, nullptr, &Out.Interpreter),
      Call("interpreter_create too many", Arg, {}, zdz_interpreter_create, handlers, 62, nullptr, &Out.Interpreter),
      Call("interpret null", Arg, {}, zdz_interpret, nullptr, packet, 64),
      Call("interpret short", Arg, {}, zdz_interpret, Released.Interpreter, packet, 31),
      Call("interpreter_release null", Arg, {}, zdz_interpreter_release, nullptr),

      Call("get_profile_string null", Arg, {0, 1, 2, 3, 5}, zdz_get_profile_string, "f", "S", "K", T, 8, S),
      Call("write_profile_string refused", ZDZ_E_REFUSED_NAME, {0, 1, 2, 3}, zdz_write_profile_string, "no/such/file",
           "S", "", "v"),
      Call("get_last_profile_cause null", Arg, {}, zdz_get_last_profile_cause, nullptr),
      Call("read_profile_file null file", Arg, {}, zdz_read_profile_file, nullptr, T, 8, S),
      Call("settings_file_open null", Arg, {}, zdz_settings_file_open, nullptr, nullptr),
      Call("read_string_ex null", Arg, {}, zdz_read_string_ex, nullptr, T, 8, S),
      Call("settings_file_close never made", Handle, {}, zdz_settings_file_close, NeverOpened),
      Call("read_window_placement null", Arg, {}, zdz_read_window_placement, nullptr),
      Call("read_window_placement_file null", Arg, {0, 1}, zdz_read_window_placement_file, &Out.Placement, "f"),
      Call("write_window_placement null", Arg, {0, 1}, zdz_write_window_placement, &Out.Placement, "f"),
      Call("read_window_placement_ex_file null", Arg, {}, zdz_read_window_placement_ex_file, nullptr, 1, 1, "f"),
      Call("get_module_backup_inf unknown", Unknown, {}, zdz_get_module_backup_inf, 1, NoModule, T, 8, S),
      Call("get_module_backup_inf_file null", Arg, {2, 3, 5}, zdz_get_module_backup_inf_file, 1, 1, "f", T, 8, S),
      Call("get_station_backup_inf unknown", Unknown, {1, 2, 4}, zdz_get_station_backup_inf, NoStation, "f", T, 8, S),
      Call("get_install_directory none", NotFound, {0}, zdz_get_install_directory, "", T, 8, S),
      Call("get_display_property null", Arg, {0, 1, 2, 3}, zdz_get_display_property, I, I, I, &Out.Rect),

      Call("sim_load_virtual_stations null", Arg, {0, 1, 3}, zdz_sim_load_virtual_stations, TestStations, T, 8, S),
  };
}

TEST_F(BadInputTest, EveryFunctionAnswersBadInputWithAStatus) {
  for (const BadInputRow& row : Rows())
    for (const int nulled : row.Nulled) {
      SCOPED_TRACE(row.Name + (nulled < 0 ? "" : " argument " + std::to_string(nulled)));
      EXPECT_EQ(row.Call(nulled), nulled < 0 ? row.Status : ZDZ_E_ARGUMENT);
    }
}
} // namespace
