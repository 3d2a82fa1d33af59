/* Uses the installed C interface: one settings value written and read back, one viewer record made
 * and released, a virtual station loaded from the description file given and reached through the
 * database. Prints "installed C interface works". */
#include <zodavudaz/sim/zodavudaz_sim_c.h>
#include <zodavudaz/zodavudaz_c.h>

#include <stdio.h>
#include <string.h>

static int stores_setting(const char* file) {
  char value[16];
  uint32_t size = 0;
  return zdz_write_profile_string(file, "Section", "Key", "Value") == ZDZ_OK &&
         zdz_get_profile_string(file, "Section", "Key", value, sizeof value, &size) == ZDZ_OK &&
         strcmp(value, "Value") == 0;
}

static int makes_viewer_record(void) {
  zdz_viewer* viewer = NULL;
  return zdz_viewer_create(2, &viewer) == ZDZ_OK && zdz_viewer_release(viewer) == ZDZ_OK;
}

static int reaches_virtual_station(const char* stations) {
  char name[64];
  uint32_t size = 0;
  const int reached = zdz_sim_load_virtual_stations(stations, NULL, 0, NULL) == ZDZ_OK &&
                      zdz_gui_get_module_name(1, 1, name, sizeof name, &size) == ZDZ_OK &&
                      strcmp(name, "Slot 1 ZO4a21") == 0;
  return zdz_exit() == ZDZ_OK && zdz_sim_release_virtual_stations() == ZDZ_OK && reached;
}

/* argv[1]: a settings file to write; argv[2]: the virtual stations' description file. */
int main(int argc, char** argv) {
  const char* version = NULL;
  if (argc != 3)
    return 2;
  if (!stores_setting(argv[1]) || !makes_viewer_record() || !reaches_virtual_station(argv[2]))
    return 1;
  zdz_get_version(NULL, NULL, NULL, &version);
  printf("installed C interface works (version %s)\n", version);
  return 0;
}
