/* The C interface from a C99 program: the header compiled as C, the shared libraries linked as a C
 * program outside the tree links them, and the calls whose records and callbacks the C compiler lays
 * out itself, each call checked for its status and a field it fills. What each function answers is
 * the C++ tests' (tests/c). Run from the top of the tree with a scratch settings file's path; prints
 * nothing and exits 0 when every call answered as expected. */
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
  zdz_rect rect = {1, 2, 3, 4};
  zdz_chnlinf table[4];
  zdz_chnlinf record;
  zdz_act_on_trig_info trig;
  int calls = 0;

  memset(table, 0, sizeof table);
  memset(&record, 0, sizeof record);
  table[3].bytes[95] = 0x5A;
  expect("zdz_call_locked", zdz_call_locked(count_calls, &calls), ZDZ_OK);
  expect("zdz_set_save_on_trig_monitor_rect", zdz_set_save_on_trig_monitor_rect(&rect), ZDZ_OK);
  rect.bottom = 0;
  expect("zdz_get_save_on_trig_monitor_rect", zdz_get_save_on_trig_monitor_rect(&rect), ZDZ_OK);
  expect("zdz_add_station", zdz_add_station(9, "Golf", "RA800-G"), ZDZ_OK);
  expect("zdz_add_module", zdz_add_module(9, 1, "ZO4a21", 0x4A2100, 4, NULL), ZDZ_OK);
  expect("zdz_set_module_scaling", zdz_set_module_scaling(9, 1, 1, table, 4), ZDZ_OK);
  expect("zdz_get_chan_scale_inf", zdz_get_chan_scale_inf(9, 1, 3, 0, &record), ZDZ_OK);
  expect("zdz_get_module_act_on_trig_info", zdz_get_module_act_on_trig_info(9, 1, &trig), ZDZ_OK);
  if (calls != 1 || rect.bottom != 4 || record.bytes[95] != 0x5A)
    expect("database values", ZDZ_E_ARGUMENT, ZDZ_OK);
}

static void acquisition_calls(void) {
  zdz_waveinf wave[4];
  zdz_acq_data_info info[4];
  zdz_ch_wave_info channel;
  int16_t samples[200];
  uint16_t count = 0, type = 0;
  uint32_t bytes = 0, elements = 0;

  expect("zdz_get_wave_info", zdz_get_wave_info(5, 2, 0, -1, 0, wave, 4, &count, 0), ZDZ_OK);
  expect("zdz_zoc_set_channel_wave_info", zdz_zoc_set_channel_wave_info(wave, &channel), ZDZ_OK);
  expect("zdz_get_acq_info", zdz_get_acq_info(5, 2, 0, -1, 0, info, 4, &count, 0), ZDZ_OK);
  expect("zdz_get_acq_data_ex", zdz_get_acq_data_ex(5, 2, 0, 0, 0, 0, 0, 100, 2, samples, sizeof samples, &type,
                                                    &bytes, &elements, 0), ZDZ_OK);
  if (bytes != sizeof samples || elements != 200 || type != 0x10)
    expect("acquired data values", ZDZ_E_ARGUMENT, ZDZ_OK);
}

static void settings_calls(const char* file) {
  zdz_window_placement placement = {0, 0, 1, -1, -1, -1, -1, {10, 20, 300, 400}};

  remove(file);
  expect("zdz_write_window_placement_ex", zdz_write_window_placement_ex(&placement, 2, 2, file), ZDZ_OK);
  memset(&placement, 0, sizeof placement);
  expect("zdz_read_window_placement_ex_file", zdz_read_window_placement_ex_file(&placement, 2, 2, file), ZDZ_OK);
  if (placement.length != 44 || placement.normal.bottom != 400)
    expect("settings values", ZDZ_E_ARGUMENT, ZDZ_OK);
  remove(file);
}

static void packet_calls(void) {
  uint8_t packet[36];
  zdz_packet_handler handlers[ZDZ_HANDLER_COUNT];
  zdz_interpreter* interpreter = NULL;
  int32_t reached = 0;
  int position;

  memset(packet, 0, sizeof packet);
  packet[17] = 0x87; /* an event reply: handler 45 */
  for (position = 0; position < ZDZ_HANDLER_COUNT; ++position)
    handlers[position] = on_packet;
  expect("zdz_interpreter_create", zdz_interpreter_create(handlers, ZDZ_HANDLER_COUNT, &reached, &interpreter),
         ZDZ_OK);
  expect("zdz_interpret", zdz_interpret(interpreter, packet, sizeof packet), ZDZ_OK);
  expect("zdz_interpreter_release", zdz_interpreter_release(interpreter), ZDZ_OK);
  if (reached != 45)
    expect("packet values", ZDZ_E_ARGUMENT, ZDZ_OK);
}

static void on_announcement(void* user, const uint8_t* packet, uint32_t length) {
  (void)packet;
  (void)length;
  ++*(int*)user;
}

/* Station 1's modules are still: a sequence runs, but nothing is announced. */
static void live_calls(void) {
  uint32_t id = 0;
  int heard = 0;

  expect("zdz_sim_set_stepped_clock", zdz_sim_set_stepped_clock(1), ZDZ_OK);
  expect("zdz_sim_add_receiver", zdz_sim_add_receiver(on_announcement, &heard, &id), ZDZ_OK);
  expect("zdz_zoc_start_button", zdz_zoc_start_button(1, 1), ZDZ_OK);
  expect("zdz_sim_advance", zdz_sim_advance(1.5), ZDZ_OK);
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
  acquisition_calls();
  settings_calls(argv[1]);
  packet_calls();
  live_calls();
  expect("zdz_exit", zdz_exit(), ZDZ_OK);
  expect("zdz_sim_release_virtual_stations", zdz_sim_release_virtual_stations(), ZDZ_OK);
  return failures == 0 ? 0 : 1;
}
