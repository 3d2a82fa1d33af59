/* The C interface from a C99 program: every function called once, against the tests' virtual
 * stations and a station of its own, each checked for the status it must answer. Run from the top
 * of the tree with a scratch settings file's path; prints nothing and exits 0 when every call
 * answered as expected. */
#include <zodavudaz/sim/zodavudaz_sim_c.h>
#include <zodavudaz/zodavudaz_c.h>

#include <stdio.h>
#include <string.h>

static int failures = 0;

static void expect(const char* call, int32_t status, int32_t expected) {
  if (status != expected) {
    printf("%s: %d (%s), expected %d\n", call, (int)status, zdz_status_text(status), (int)expected);
    ++failures;
  }
}

static int32_t count_calls(void* context) {
  ++*(int*)context;
  return ZDZ_OK;
}

static int32_t on_packet(void* user, int32_t position, uint8_t* packet, uint32_t length) {
  (void)packet;
  (void)length;
  *(int32_t*)user = position;
  return 0;
}

static void database_calls(void) {
  uint16_t number = 0;
  int32_t value = 0;
  char text[256];
  uint32_t size = 0;
  zdz_rect rect = {1, 2, 3, 4};
  int calls = 0;
  int32_t major = 0;
  const char* version = NULL;

  expect("zdz_get_version", zdz_get_version(&major, NULL, NULL, &version), ZDZ_OK);
  expect("zdz_call_locked", zdz_call_locked(count_calls, &calls), ZDZ_OK);
  expect("zdz_init", zdz_init(), ZDZ_OK);
  expect("zdz_get_frontend_no", zdz_get_frontend_no(&number), ZDZ_OK);
  expect("zdz_set_frontend_no", zdz_set_frontend_no(), ZDZ_OK);
  expect("zdz_clear_frontend_no", zdz_clear_frontend_no(1), ZDZ_OK);
  expect("zdz_clear_all_frontend_no", zdz_clear_all_frontend_no(), ZDZ_OK);
  expect("zdz_set_current_path", zdz_set_current_path("tools/demo/settings"), ZDZ_OK);
  expect("zdz_get_current_path", zdz_get_current_path(text, sizeof text, &size), ZDZ_OK);
  expect("zdz_set_multi_module_path", zdz_set_multi_module_path("multi"), ZDZ_OK);
  expect("zdz_get_multi_module_path", zdz_get_multi_module_path(NULL, 0, &size), ZDZ_OK);
  expect("zdz_set_flag", zdz_set_flag(ZDZ_FLAG_ONE_PANEL, 1), ZDZ_OK);
  expect("zdz_get_flag", zdz_get_flag(ZDZ_FLAG_ONE_PANEL, &value), ZDZ_OK);
  expect("zdz_set_save_on_trig_monitor_rect", zdz_set_save_on_trig_monitor_rect(&rect), ZDZ_OK);
  expect("zdz_get_save_on_trig_monitor_rect", zdz_get_save_on_trig_monitor_rect(&rect), ZDZ_OK);
  if (calls != 1 || value != 1 || rect.bottom != 4 || version == NULL || major < 1)
    expect("database values", ZDZ_E_ARGUMENT, ZDZ_OK);
}

static void record_calls(void) {
  char text[256];
  uint32_t size = 0;
  uint16_t ids[16];
  uint32_t count = 0;
  zdz_rect window;
  int32_t config[7];
  int32_t right = 0;
  int32_t bottom = 0;
  uint8_t backup[4];
  uint32_t word = 0;
  zdz_act_on_trig_info trig;
  zdz_chnlinf table[4];

  memset(table, 0, sizeof table);
  expect("zdz_add_station", zdz_add_station(9, "Golf", "RA800-G"), ZDZ_OK);
  expect("zdz_set_station_slot", zdz_set_station_slot(9, 1, 1, 1, 0), ZDZ_OK);
  expect("zdz_set_station_list_index", zdz_set_station_list_index(9, 3), ZDZ_OK);
  expect("zdz_set_station_tree_item", zdz_set_station_tree_item(9, 0x90), ZDZ_OK);
  expect("zdz_set_station_access_state", zdz_set_station_access_state(9, 10), ZDZ_OK);
  expect("zdz_get_station_model", zdz_get_station_model(9, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_get_station_stored", zdz_get_station_stored(9, &window, config), ZDZ_OK);
  expect("zdz_get_station_ids", zdz_get_station_ids(ids, 16, &count), ZDZ_OK);
  expect("zdz_add_module", zdz_add_module(9, 1, "ZO4a21", 0x4A2100, 4, NULL), ZDZ_OK);
  expect("zdz_set_module_data_cntl_id", zdz_set_module_data_cntl_id(9, 1, 0x40D), ZDZ_OK);
  expect("zdz_set_module_flags", zdz_set_module_flags(9, 1, 0x82), ZDZ_OK);
  expect("zdz_set_module_event_id", zdz_set_module_event_id(9, 1, 0xFFFF), ZDZ_OK);
  expect("zdz_set_module_scaling", zdz_set_module_scaling(9, 1, 1, table, 4), ZDZ_OK);
  expect("zdz_get_module_ids", zdz_get_module_ids(9, ids, 16, &count), ZDZ_OK);
  expect("zdz_get_module_product_name", zdz_get_module_product_name(9, 1, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_get_module_product_word", zdz_get_module_product_word(9, 1, &word), ZDZ_OK);
  expect("zdz_get_module_stored", zdz_get_module_stored(9, 1, &right, &bottom, backup, config), ZDZ_OK);
  expect("zdz_get_module_act_on_trig_info", zdz_get_module_act_on_trig_info(9, 1, &trig), ZDZ_OK);
  expect("zdz_update_data_base_ex",
         zdz_update_data_base_ex("tools/demo/settings/Mardel.tmp", 9, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_update_data_base", zdz_update_data_base(9), ZDZ_OK);
  expect("zdz_reset_act_on_trig_database", zdz_reset_act_on_trig_database(9), ZDZ_OK);
  expect("zdz_add_station", zdz_add_station(10, "Hotel", ""), ZDZ_OK);
  expect("zdz_remove_station", zdz_remove_station(10), ZDZ_OK);
}

static void lookup_calls(void) {
  uint16_t station = 0;
  uint16_t module = 0;
  int32_t answer = 0;
  uint8_t byte = 0;
  uint16_t word = 0;
  char text[64];
  uint32_t size = 0;
  zdz_chnlinf record;

  expect("zdz_find_station", zdz_find_station(2), ZDZ_OK);
  expect("zdz_find_station_by_name", zdz_find_station_by_name("Bravo", &station), ZDZ_OK);
  expect("zdz_find_station_by_list_index", zdz_find_station_by_list_index(3, &station), ZDZ_OK);
  expect("zdz_find_station_by_tree_item", zdz_find_station_by_tree_item(0x90, &station), ZDZ_OK);
  expect("zdz_find_module", zdz_find_module(2, 0x12), ZDZ_OK);
  expect("zdz_set_module_tree_item", zdz_set_module_tree_item(9, 1, 0x91), ZDZ_OK);
  expect("zdz_find_module_by_tree_item", zdz_find_module_by_tree_item(0x91, &station, &module), ZDZ_OK);
  expect("zdz_is_same_station_name", zdz_is_same_station_name("Bravo", 1, &answer), ZDZ_OK);
  expect("zdz_get_max_slot", zdz_get_max_slot(2, &byte), ZDZ_OK);
  expect("zdz_is_exist_module", zdz_is_exist_module(2, 2, &answer), ZDZ_OK);
  expect("zdz_get_connect_status", zdz_get_connect_status(2, 2, &byte), ZDZ_OK);
  expect("zdz_check_master", zdz_check_master(2, 2, &answer), ZDZ_OK);
  expect("zdz_check_term", zdz_check_term(2, 4, &answer), ZDZ_OK);
  expect("zdz_search_master", zdz_search_master(2, 3, &byte), ZDZ_OK);
  expect("zdz_get_connect_num", zdz_get_connect_num(2, 2, &word), ZDZ_OK);
  expect("zdz_get_connect_no", zdz_get_connect_no(2, 3, &word), ZDZ_OK);
  expect("zdz_get_acq_channel", zdz_get_acq_channel(2, 2, &word), ZDZ_OK);
  expect("zdz_get_product_name", zdz_get_product_name(2, 2, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_get_product_name_by_code", zdz_get_product_name_by_code(0x4A21, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_is_save_on_trig_enable", zdz_is_save_on_trig_enable(9, 1, &answer), ZDZ_OK);
  expect("zdz_get_gui_simple_mode", zdz_get_gui_simple_mode(9, 1, &byte), ZDZ_OK);
  expect("zdz_get_chan_scale_inf", zdz_get_chan_scale_inf(9, 1, 3, 0, &record), ZDZ_OK);
  expect("zdz_is_scaling_enable", zdz_is_scaling_enable(9, 1, &answer), ZDZ_OK);
  expect("zdz_get_scaling_status", zdz_get_scaling_status(9, 1, &answer), ZDZ_OK);
}

static void query_calls(void) {
  uint8_t data[256];
  uint32_t size = 0;
  uint16_t type = 0;
  uint32_t count = 0;
  uint16_t word = 0;
  void* frontend = NULL;
  char text[64];
  const uint8_t setting[2] = {1, 2};

  expect("zdz_gui_query", zdz_gui_query(2, 2, 0x123, data, sizeof data, &size), ZDZ_OK);
  expect("zdz_gui_get_array", zdz_gui_get_array(2, 2, 0x125, 0, data, sizeof data, &size, &type, &count), ZDZ_OK);
  expect("zdz_sync_exec", zdz_sync_exec(2, 2, 0x300, setting, 0x00, 2), ZDZ_OK);
  expect("zdz_setting_query_pointer",
         zdz_setting_query_pointer(2, 2, 0x300, data, sizeof data, &size, &type, &count), ZDZ_OK);
  expect("zdz_help_query_pointer",
         zdz_help_query_pointer(2, 2, data, sizeof data, &size, &type, &count, &word), ZDZ_OK);
  expect("zdz_get_seq_table", zdz_get_seq_table(2, 2, data, sizeof data, &size), ZDZ_OK);
  expect("zdz_get_seq_mode", zdz_get_seq_mode(2, 2, &word), ZDZ_OK);
  expect("zdz_get_frontend_module", zdz_get_frontend_module(2, 2, &frontend), ZDZ_OK);
  expect("zdz_gui_get_station_name", zdz_gui_get_station_name(2, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_gui_get_module_name", zdz_gui_get_module_name(2, 0x12, text, sizeof text, &size), ZDZ_OK);
}

static void acquisition_calls(void) {
  zdz_waveinf wave[4];
  zdz_acq_data_info info[4];
  zdz_chnlinf table[2];
  int16_t samples[200];
  uint8_t current[64];
  uint16_t count = 0;
  uint16_t type = 0;
  uint16_t current_type = 0;
  uint32_t bytes = 0;
  uint32_t elements = 0;
  uint32_t size = 0;

  memset(table, 0, sizeof table);
  expect("zdz_get_wave_info", zdz_get_wave_info(5, 2, 0, -1, 0, wave, 4, &count, 0), ZDZ_OK);
  expect("zdz_get_acq_info", zdz_get_acq_info(5, 2, 0, -1, 0, info, 4, &count, 0), ZDZ_OK);
  expect("zdz_get_acq_data_ex", zdz_get_acq_data_ex(5, 2, 0, 0, 0, 0, 0, 100, 2, samples, sizeof samples, &type,
                                                    &bytes, &elements, 0), ZDZ_OK);
  expect("zdz_get_current_data", zdz_get_current_data(1, 1, -1, current, sizeof current, &size, &current_type, 0),
         ZDZ_OK);
  expect("zdz_set_scale_tbl", zdz_set_scale_tbl(1, 1, 0, table, 2, 1, 0), ZDZ_OK);
  if (bytes != sizeof samples || elements != 200 || type != 0x10)
    expect("acquired data values", ZDZ_E_ARGUMENT, ZDZ_OK);
}

static void registry_and_filter_calls(void) {
  int32_t answer = 0;
  uint16_t word = 0;

  expect("zdz_regist_frontend_used_module", zdz_regist_frontend_used_module(0x10, 2, 2), ZDZ_OK);
  expect("zdz_is_use_front_end", zdz_is_use_front_end(2, 2, &answer, &word), ZDZ_OK);
  expect("zdz_is_use_front_end_by", zdz_is_use_front_end_by(0x10, 2, 2, &answer), ZDZ_OK);
  expect("zdz_is_use_front_end_and_run", zdz_is_use_front_end_and_run(2, 2, &answer), ZDZ_OK);
  expect("zdz_stop_viewer", zdz_stop_viewer(2, 2), ZDZ_OK);
  expect("zdz_is_access_enable", zdz_is_access_enable(9, &answer), ZDZ_OK);
  expect("zdz_is_release_enable", zdz_is_release_enable(9, &answer), ZDZ_OK);
  expect("zdz_add_gui_filter", zdz_add_gui_filter(2, 2, 5, 7), ZDZ_OK);
  expect("zdz_add_named_gui_filter", zdz_add_named_gui_filter(2, 2, "Gain", 9), ZDZ_OK);
  expect("zdz_get_gui_filter", zdz_get_gui_filter(2, 2, 5, &word), ZDZ_OK);
  expect("zdz_get_named_gui_filter", zdz_get_named_gui_filter(2, 2, "Gain", &word), ZDZ_OK);
  expect("zdz_remove_gui_filter", zdz_remove_gui_filter(2, 2, 5), ZDZ_OK);
  expect("zdz_remove_named_gui_filter", zdz_remove_named_gui_filter(2, 2, "Gain"), ZDZ_OK);
  expect("zdz_remove_all_gui_filter", zdz_remove_all_gui_filter(2, 2), ZDZ_OK);
  expect("zdz_exit_front_end", zdz_exit_front_end(2, 0x12), ZDZ_OK);
  expect("zdz_exit_multi_module", zdz_exit_multi_module(0, 0x10), ZDZ_OK);
}

static void control_calls(void) {
  uint32_t value = 0;
  char text[64];
  uint32_t size = 0;
  zdz_waveinf wave;
  zdz_ch_wave_info channel;
  uint16_t results[17];
  void* frontend = NULL;
  uint8_t out[16];
  uint16_t type = 0;
  uint32_t count = 0;
  const uint8_t data[1] = {1};

  memset(&wave, 0, sizeof wave);
  expect("zdz_zoc_init", zdz_zoc_init(), ZDZ_OK);
  expect("zdz_zoc_get_product_id", zdz_zoc_get_product_id(2, 2, &value), ZDZ_OK);
  expect("zdz_zoc_get_unit_str", zdz_zoc_get_unit_str(0x0100, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_zoc_get_unit_str_ex", zdz_zoc_get_unit_str_ex(0xFFF1, "mV", "x", text, sizeof text, &size), ZDZ_OK);
  expect("zdz_zoc_set_channel_wave_info", zdz_zoc_set_channel_wave_info(&wave, &channel), ZDZ_OK);
  expect("zdz_zoc_exec_module_test", zdz_zoc_exec_module_test(2, 2, 0xFF, results), ZDZ_OK);
  expect("zdz_zoc_get_front_end1", zdz_zoc_get_front_end1(2, 2, &frontend), ZDZ_OK);
  expect("zdz_zoc_get_front_end2", zdz_zoc_get_front_end2(-1, 2, &frontend), ZDZ_E_UNKNOWN);
  expect("zdz_zoc_mote_sync_exec", zdz_zoc_mote_sync_exec(2, 2, 0x301), ZDZ_OK);
  expect("zdz_zoc_mote_sync_exec2", zdz_zoc_mote_sync_exec2(2, 2, 0x301, data, 0x00, 1), ZDZ_OK);
  expect("zdz_zoc_mote_setting_query", zdz_zoc_mote_setting_query(2, 2, 0x301, out, sizeof out, &type, &count),
         ZDZ_OK);
  expect("zdz_zoc_start_button", zdz_zoc_start_button(2, 2), ZDZ_OK);
  expect("zdz_zoc_stop_button", zdz_zoc_stop_button(2, 2), ZDZ_OK);
  expect("zdz_zoc_update_start_led", zdz_zoc_update_start_led(1, 2, 3), ZDZ_OK);
  expect("zdz_zoc_get_file_num_in_save_mode", zdz_zoc_get_file_num_in_save_mode(2, 2, &value), ZDZ_OK);
  expect("zdz_zoc_get_file_start_no_in_save_mode", zdz_zoc_get_file_start_no_in_save_mode(2, 2, &value), ZDZ_OK);
  expect("zdz_zo_set_cg_class", zdz_zo_set_cg_class(5), ZDZ_OK);
  expect("zdz_zo_get_cg_class", zdz_zo_get_cg_class(&value), ZDZ_OK);
  expect("zdz_convert_term", zdz_convert_term("a\r\nb", text, sizeof text, &size), ZDZ_OK);
  expect("zdz_reverse_term", zdz_reverse_term("a;;b", text, sizeof text, &size), ZDZ_OK);
}

static void settings_calls(const char* file) {
  char text[512];
  uint32_t size = 0;
  int32_t cause = -1;
  zdz_settings_file* lines = NULL;
  zdz_window_placement placement = {0, 0, 1, -1, -1, -1, -1, {10, 20, 300, 400}};
  int32_t width = 0;
  int32_t height = 0;
  int32_t position = 0;
  zdz_rect area;

  remove(file);
  expect("zdz_write_profile_string", zdz_write_profile_string(file, "S", "K", "V"), ZDZ_OK);
  expect("zdz_get_profile_string", zdz_get_profile_string(file, "S", "K", text, sizeof text, &size), ZDZ_OK);
  expect("zdz_get_profile_string", zdz_get_profile_string(file, "S", "X", text, sizeof text, &size),
         ZDZ_E_NOT_FOUND);
  expect("zdz_get_last_profile_cause", zdz_get_last_profile_cause(&cause), ZDZ_OK);
  expect("zdz_read_profile_file", zdz_read_profile_file(file, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_settings_file_open", zdz_settings_file_open(file, &lines), ZDZ_OK);
  expect("zdz_read_string_ex", zdz_read_string_ex(lines, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_settings_file_close", zdz_settings_file_close(lines), ZDZ_OK);
  expect("zdz_write_window_placement", zdz_write_window_placement(&placement, file), ZDZ_OK);
  expect("zdz_read_window_placement_file", zdz_read_window_placement_file(&placement, file), ZDZ_OK);
  expect("zdz_read_window_placement", zdz_read_window_placement(&placement), ZDZ_OK);
  expect("zdz_write_window_placement_ex", zdz_write_window_placement_ex(&placement, 2, 2, file), ZDZ_OK);
  expect("zdz_read_window_placement_ex_file", zdz_read_window_placement_ex_file(&placement, 2, 2, file), ZDZ_OK);
  expect("zdz_read_window_placement_ex", zdz_read_window_placement_ex(&placement, 2, 2), ZDZ_OK);
  expect("zdz_get_module_backup_inf", zdz_get_module_backup_inf(2, 2, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_get_module_backup_inf_file", zdz_get_module_backup_inf_file(2, 2, file, text, sizeof text, &size),
         ZDZ_E_NOT_FOUND);
  expect("zdz_get_station_backup_inf", zdz_get_station_backup_inf(2, file, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_get_install_directory", zdz_get_install_directory("none.exe", text, sizeof text, &size),
         ZDZ_E_NOT_FOUND);
  expect("zdz_get_display_property", zdz_get_display_property(&width, &height, &position, &area), ZDZ_OK);
  if (cause != ZDZ_CAUSE_MISSING_KEY || placement.length != 44)
    expect("settings values", ZDZ_E_ARGUMENT, ZDZ_OK);
  remove(file);
}

static void viewer_calls(void) {
  zdz_viewer* viewer = NULL;
  zdz_viewer* stored = NULL;
  char text[4096];
  uint32_t size = 0;
  const char* keyword = NULL;
  uint32_t flags = 0;

  expect("zdz_viewer_create", zdz_viewer_create(2, &viewer), ZDZ_OK);
  expect("zdz_viewer_to_text", zdz_viewer_to_text(viewer, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_viewer_release", zdz_viewer_release(viewer), ZDZ_OK);
  expect("zdz_viewer_from_text", zdz_viewer_from_text("ChannelNumber 2;GrChNum 2;", &viewer), ZDZ_OK);
  expect("zdz_viewer_set", zdz_viewer_set(viewer, "GrNum", -1, "1"), ZDZ_OK);
  expect("zdz_viewer_group_from_text", zdz_viewer_group_from_text(viewer, "Group1 Inputs;"), ZDZ_OK);
  expect("zdz_viewer_group_to_text", zdz_viewer_group_to_text(viewer, 0, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_viewer_keyword", zdz_viewer_keyword(8, &keyword, &flags), ZDZ_OK);
  expect("zdz_viewer_get", zdz_viewer_get(viewer, keyword, -1, text, sizeof text, &size), ZDZ_OK);
  expect("zdz_viewer_lookup", zdz_viewer_lookup(2, 2, &stored), ZDZ_OK);
  expect("zdz_viewer_release", zdz_viewer_release(stored), ZDZ_OK);
  expect("zdz_viewer_lookup_file", zdz_viewer_lookup_file(2, 2, "tools/demo/settings/Mardel.ini", &stored), ZDZ_OK);
  expect("zdz_viewer_release", zdz_viewer_release(stored), ZDZ_OK);
  expect("zdz_viewer_release", zdz_viewer_release(viewer), ZDZ_OK);
}

static void packet_calls(void) {
  uint8_t packet[36];
  char text[2048];
  uint32_t size = 0;
  const char* name = NULL;
  zdz_packet_handler handlers[ZDZ_HANDLER_COUNT];
  zdz_interpreter* interpreter = NULL;
  int32_t reached = 0;
  int position;

  memset(packet, 0, sizeof packet);
  packet[17] = 0x87; /* an event reply: handler 45 */
  for (position = 0; position < ZDZ_HANDLER_COUNT; ++position)
    handlers[position] = on_packet;
  expect("zdz_decode_packet", zdz_decode_packet(packet, sizeof packet, ZDZ_PACKET_MODULE, text, sizeof text, &size),
         ZDZ_OK);
  expect("zdz_handler_name", zdz_handler_name(45, &name), ZDZ_OK);
  expect("zdz_interpreter_create", zdz_interpreter_create(handlers, ZDZ_HANDLER_COUNT, &reached, &interpreter),
         ZDZ_OK);
  expect("zdz_interpret", zdz_interpret(interpreter, packet, sizeof packet), ZDZ_OK);
  expect("zdz_interpreter_release", zdz_interpreter_release(interpreter), ZDZ_OK);
  if (reached != 45 || strcmp(name, "RplyStationEvent") != 0)
    expect("packet values", ZDZ_E_ARGUMENT, ZDZ_OK);
}

static void on_announcement(void* user, const uint8_t* packet, uint32_t length) {
  (void)packet;
  (void)length;
  ++*(int*)user;
}

/* Station 1's modules are still: a sequence runs, but nothing is announced. */
static void live_calls(void) {
  uint32_t id = 0, announced = 0, number = 0, time_stamp = 0;
  uint16_t station = 0, module = 0;
  const uint8_t packet[48] = {0};
  int heard = 0;

  expect("zdz_sim_set_stepped_clock", zdz_sim_set_stepped_clock(1), ZDZ_OK);
  expect("zdz_sim_add_receiver", zdz_sim_add_receiver(on_announcement, &heard, &id), ZDZ_OK);
  expect("zdz_zoc_start_button", zdz_zoc_start_button(1, 1), ZDZ_OK);
  expect("zdz_sim_advance", zdz_sim_advance(1.5), ZDZ_OK);
  expect("zdz_sim_wait_for_acquisition", zdz_sim_wait_for_acquisition(1, 1, 0, 1, &announced, &number),
         ZDZ_E_TIMEOUT);
  expect("zdz_sim_read_announcement",
         zdz_sim_read_announcement(packet, sizeof packet, &station, &module, &number, &time_stamp), ZDZ_E_ARGUMENT);
  expect("zdz_sim_remove_receiver", zdz_sim_remove_receiver(id), ZDZ_OK);
  expect("announcements of still modules", heard, 0);
}

/* argv[1]: a settings file the program may create and remove. */
int main(int argc, char** argv) {
  if (argc != 2)
    return 2;
  expect("zdz_sim_load_virtual_stations",
         zdz_sim_load_virtual_stations("tests/c/VirtualStations.ini", NULL, 0, NULL), ZDZ_OK);
  database_calls();
  record_calls();
  lookup_calls();
  query_calls();
  acquisition_calls();
  registry_and_filter_calls();
  control_calls();
  settings_calls(argv[1]);
  viewer_calls();
  packet_calls();
  live_calls();
  expect("zdz_status_text", zdz_status_text(ZDZ_OK)[0] == 's' ? ZDZ_OK : ZDZ_E_ARGUMENT, ZDZ_OK);
  expect("zdz_exit", zdz_exit(), ZDZ_OK);
  expect("zdz_sim_release_virtual_stations", zdz_sim_release_virtual_stations(), ZDZ_OK);
  return failures == 0 ? 0 : 1;
}
