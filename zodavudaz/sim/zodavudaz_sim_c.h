/* The C interface of libzodavudaz-sim, the simulated communication, sequence and frontend
 * libraries: virtual stations loaded from a description file (docs/virtual-stations.md) and
 * filed into the database of <zodavudaz/zodavudaz_c.h>, whose conventions hold here too. A program
 * links libzodavudaz-sim after libzodavudaz.
 */
#ifndef ZODAVUDAZ_SIM_ZODAVUDAZ_SIM_C_H
#define ZODAVUDAZ_SIM_ZODAVUDAZ_SIM_C_H

#include <zodavudaz/platform/Export.h>

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/// Reads the description file (null: the file the environment variable ZDZ_VIRTUAL_STATIONS
/// names) and files its stations, each module with a frontend on a simulated module
/// (LoadVirtualStations). ZDZ_E_ARGUMENT, with nothing filed and the reason in message as
/// "FILE [SECTION] KEY: fault", when the file cannot be read, is malformed or names a station id
/// already filed; message and size are optional and written only then. The stations stay until
/// zdz_sim_release_virtual_stations.
ZODAVUDAZ_EXPORT int32_t zdz_sim_load_virtual_stations(const char* file, char* message, uint32_t capacity,
                                                       uint32_t* size);
/// Frees every station the loads made (ReleaseVirtualStations). ZDZ_E_ORDER, freeing nothing,
/// while one of them is still filed: zdz_exit must destroy their modules first.
ZODAVUDAZ_EXPORT int32_t zdz_sim_release_virtual_stations(void);

#ifdef __cplusplus
}
#endif

#endif
