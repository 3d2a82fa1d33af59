/* The C interface of libzodavudaz-sim, the simulated communication, sequence and frontend
 * libraries: virtual stations loaded from a description file (docs/virtual-stations.md) and
 * filed into the database of <zodavudaz/zodavudaz_c.h>, whose conventions hold here too,
 * zdz_last_error's text included: it names the file's fault, the station still filed, the receiver
 * id, the module and time-out waited for, or why a call is out of order. A program links
 * libzodavudaz-sim after libzodavudaz.
 */
#ifndef ZODAVUDAZ_SIM_ZODAVUDAZ_SIM_C_H
#define ZODAVUDAZ_SIM_ZODAVUDAZ_SIM_C_H

#include <zodavudaz/platform/Export.h>

#include <stdint.h>
#include <zodavudaz/zodavudaz_c.h>

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
/// Frees every station the loads made (ReleaseVirtualStations) and ends the simulation's thread.
/// ZDZ_E_ORDER, freeing nothing, while one of them is still filed (zdz_exit must destroy their
/// modules first) or when called from inside a receiver.
ZODAVUDAZ_EXPORT int32_t zdz_sim_release_virtual_stations(void);

/* ---- Live acquisitions (docs/virtual-stations.md) ------------------------------------------
 * zdz_zoc_start_button and zdz_zoc_stop_button start and stop a module's sequence; while it runs
 * a module described with Acquisition=continuous or single completes acquisitions, and the
 * simulation's own thread announces each one as an "acquisition complete" module packet (command
 * id 0x88, control id 0x403) to every receiver. None of these calls takes the interface's lock. */

/** A receiver: called on the simulation's thread, with no lock held, with the user pointer and
 *  the packet (length bytes), which is valid until it returns. It may call any function of the
 *  interface except those that answer ZDZ_E_ORDER from inside a receiver; one that never returns
 *  holds up every later announcement and zdz_exit. */
typedef void (*zdz_sim_receiver)(void* user, const uint8_t* packet, uint32_t length);

/// Registers receiver for the announcements of every station; *id names it for
/// zdz_sim_remove_receiver. ZDZ_E_NO_MEMORY when it cannot be kept.
ZODAVUDAZ_EXPORT int32_t zdz_sim_add_receiver(zdz_sim_receiver receiver, void* user, uint32_t* id);
/// Unregisters a receiver: once this returns it is not called again, and it returns once the
/// receiver is no longer running (at once from inside it). ZDZ_E_NOT_FOUND for an unknown id.
ZODAVUDAZ_EXPORT int32_t zdz_sim_remove_receiver(uint32_t id);
/// Reads an announcement: the station, module, acquisition number (from 1 after each start) and
/// time stamp (seconds since 1970); ZDZ_E_ARGUMENT for any other packet.
ZODAVUDAZ_EXPORT int32_t zdz_sim_read_announcement(const uint8_t* packet, uint32_t length, uint16_t* station,
                                                   uint16_t* module, uint32_t* number, uint32_t* time_stamp);
/// Waits up to timeout_ms ms until the module has announced more than seen acquisitions since it
/// was made; then *announced = that count and *number = its latest acquisition number. Pass the
/// last *announced (0 at first) to wait for the next. ZDZ_E_TIMEOUT when none came, ZDZ_E_UNKNOWN
/// for a module that is not simulated, ZDZ_E_ORDER from inside a receiver.
ZODAVUDAZ_EXPORT int32_t zdz_sim_wait_for_acquisition(uint16_t station, uint16_t module, uint32_t seen,
                                                      uint32_t timeout_ms, uint32_t* announced, uint32_t* number);
/// Nonzero stepped: the simulation's clock moves only with zdz_sim_advance, from 0; zero: the
/// wall clock. Set it while no sequence runs.
ZODAVUDAZ_EXPORT int32_t zdz_sim_set_stepped_clock(int32_t stepped);
/// Moves the stepped clock on by seconds (the wall clock does not move), then returns once the
/// simulation's thread has acted on every start and stop posted so far and announced every
/// acquisition due, its receivers' calls included. ZDZ_E_ARGUMENT for a negative or not finite
/// seconds; from inside a receiver it moves the clock and returns at once.
ZODAVUDAZ_EXPORT int32_t zdz_sim_advance(double seconds);

#ifdef __cplusplus
}
#endif

#endif
