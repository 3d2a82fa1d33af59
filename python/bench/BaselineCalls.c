/* The C calls that the Python benchmarks make through the package, timed by C loops in the same
 * process: what the same work costs without Python. Each gives the processor seconds its calls took
 * (of every thread of the process, system time included: other programs on the machine do not count), or -1
 * when a call fails. */
#include <zodavudaz/zodavudaz_c.h>

#include <time.h>

static double Now(void) {
  struct timespec now;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return (double)now.tv_sec + (double)now.tv_nsec * 1e-9;
}

double zdz_bench_settings_reads(const char* file, const char* section, const char* key, char* value, uint32_t capacity,
                                uint32_t calls) {
  uint32_t size = 0;
  const double start = Now();
  for (uint32_t call = 0; call < calls; ++call)
    if (zdz_get_profile_string(file, section, key, value, capacity, &size) != ZDZ_OK)
      return -1;
  return Now() - start;
}

double zdz_bench_acquisitions(uint16_t station, uint16_t module, int32_t channel, uint32_t points, void* buffer,
                              uint32_t capacity, uint32_t calls) {
  uint16_t type = 0;
  uint32_t bytes = 0;
  uint32_t elements = 0;
  const double start = Now();
  for (uint32_t call = 0; call < calls; ++call)
    if (zdz_get_acq_data_ex(station, module, 0, channel, 0, 0, 0, points, 2, buffer, capacity, &type, &bytes, &elements,
                            0) != ZDZ_OK)
      return -1;
  return Now() - start;
}

/* The same, each acquisition after a request of the channel's wave information. */
double zdz_bench_described_acquisitions(uint16_t station, uint16_t module, int32_t channel, uint32_t points,
                                        void* buffer, uint32_t capacity, uint32_t calls) {
  static zdz_waveinf info[100];
  uint16_t count = 0;
  double seconds = 0;
  for (uint32_t call = 0; call < calls; ++call) {
    const double start = Now();
    if (zdz_get_wave_info(station, module, 0, channel, 0, info, 100, &count, 0) != ZDZ_OK)
      return -1;
    seconds += Now() - start;
    const double acquisition = zdz_bench_acquisitions(station, module, channel, points, buffer, capacity, 1);
    if (acquisition < 0)
      return -1;
    seconds += acquisition;
  }
  return seconds;
}

double zdz_bench_station_lookups(const char* name, uint32_t calls) {
  uint16_t station = 0;
  const double start = Now();
  for (uint32_t call = 0; call < calls; ++call)
    if (zdz_find_station_by_name(name, &station) != ZDZ_OK)
      return -1;
  return Now() - start;
}
