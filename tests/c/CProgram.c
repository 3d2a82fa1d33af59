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

/* A call expected to succeed, named by its own text. */
#define EXPECT_OK(call) expect(#call, call, ZDZ_OK)

static void expect_true(const char* what, int holds) { expect(what, holds ? ZDZ_OK : ZDZ_E_ARGUMENT, ZDZ_OK); }

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
  EXPECT_OK(zdz_call_locked(count_calls, &calls));
  EXPECT_OK(zdz_set_save_on_trig_monitor_rect(&rect));
  rect.bottom = 0;
  EXPECT_OK(zdz_get_save_on_trig_monitor_rect(&rect));
  EXPECT_OK(zdz_add_station(9, "Golf", "RA800-G"));
  EXPECT_OK(zdz_add_module(9, 1, "ZO4a21", 0x4A2100, 4, NULL));
  EXPECT_OK(zdz_set_module_scaling(9, 1, 1, table, 4));
  EXPECT_OK(zdz_get_chan_scale_inf(9, 1, 3, 0, &record));
  EXPECT_OK(zdz_get_module_act_on_trig_info(9, 1, &trig));
  expect_true("database values", calls == 1 && rect.bottom == 4 && record.bytes[95] == 0x5A);
}

static void acquisition_calls(void) {
  zdz_waveinf wave[4];
  zdz_acq_data_info info[4];
  zdz_ch_wave_info channel;
  int16_t samples[200];
  uint16_t count = 0, type = 0;
  uint32_t bytes = 0, elements = 0;

  EXPECT_OK(zdz_get_wave_info(5, 2, 0, -1, 0, wave, 4, &count, 0));
  EXPECT_OK(zdz_zoc_set_channel_wave_info(wave, &channel));
  EXPECT_OK(zdz_get_acq_info(5, 2, 0, -1, 0, info, 4, &count, 0));
  EXPECT_OK(zdz_get_acq_data_ex(5, 2, 0, 0, 0, 0, 0, 100, 2, samples, sizeof samples, &type, &bytes, &elements, 0));
  expect_true("acquired data values", bytes == sizeof samples && elements == 200 && type == 0x10);
}

static void settings_calls(const char* file) {
  zdz_window_placement placement = {0, 0, 1, -1, -1, -1, -1, {10, 20, 300, 400}};

  remove(file);
  EXPECT_OK(zdz_write_window_placement_ex(&placement, 2, 2, file));
  memset(&placement, 0, sizeof placement);
  EXPECT_OK(zdz_read_window_placement_ex_file(&placement, 2, 2, file));
  expect_true("settings values", placement.length == 44 && placement.normal.bottom == 400);
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
  EXPECT_OK(zdz_interpreter_create(handlers, ZDZ_HANDLER_COUNT, &reached, &interpreter));
  EXPECT_OK(zdz_interpret(interpreter, packet, sizeof packet));
  EXPECT_OK(zdz_interpreter_release(interpreter));
  expect_true("packet values", reached == 45);
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

  EXPECT_OK(zdz_sim_set_stepped_clock(1));
  EXPECT_OK(zdz_sim_add_receiver(on_announcement, &heard, &id));
  EXPECT_OK(zdz_zoc_start_button(1, 1));
  EXPECT_OK(zdz_sim_advance(1.5));
  EXPECT_OK(zdz_sim_remove_receiver(id));
  expect("announcements of still modules", heard, 0);
}

/* argv[1]: a settings file the program may create and remove. */
int main(int argc, char** argv) {
  if (argc != 2)
    return 2;
  EXPECT_OK(zdz_sim_load_virtual_stations("tests/c/VirtualStations.ini", NULL, 0, NULL));
  database_calls();
  acquisition_calls();
  settings_calls(argv[1]);
  packet_calls();
  live_calls();
  EXPECT_OK(zdz_exit());
  EXPECT_OK(zdz_sim_release_virtual_stations());
  return failures == 0 ? 0 : 1;
}
