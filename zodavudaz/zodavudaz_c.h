/* The C interface of libzodavudaz, for C and for every language that reaches a shared library
 * through C (Python's ctypes, graphical measurement tools): the database of stations and modules,
 * look-ups, module queries and acquired data, the usage registry and GUI filters, the control
 * functions, settings files, viewer settings and the packet interpreter. It is a layer over the
 * C++ interface (<zodavudaz/zodavudaz.h>): each function says which C++ call it wraps, and does
 * what that call does.
 *
 * Conventions
 *
 * Names. Every function and type begins with zdz_, every constant with ZDZ_. Where one function
 * wraps one C++ call, its name is that call's name in lower case with underscores
 * (CGUIDatabase::GetMaxSlot is zdz_get_max_slot, ZocStartButton is zdz_zoc_start_button).
 *
 * Status. Every function except zdz_status_text and zdz_last_error returns an int32_t status:
 *   0                  ZDZ_OK, success;
 *   1 to 0xFFFF        the library's and the frontend's own codes, unchanged: 205 unknown station
 *                      or module (module queries), 207 a slot that cannot be tested, 302 no wave
 *                      information, 400 scratch memory could not be allocated, 502 unknown
 *                      station or module or a refused current-data request (acquired data),
 *                      0xFFFF a missing module or a failed sequence request (control functions),
 *                      and whatever else the frontend or communication library answered;
 *   below 0            the C layer's own: ZDZ_E_ARGUMENT to ZDZ_E_STOPPED below.
 * zdz_status_text(status) gives a short text for every status. zdz_last_error() gives the calling
 * thread's text about its last call where that call knows more than its status: the statement,
 * file, section, product or length it is about ("" where it adds nothing).
 *
 * Ids. Stations and modules are named by their ids: a station id (0 holds the front ends) and a
 * module id (the slot number 0 to 15, or an extra module's id with bits 4 to 7 set). Where the
 * C++ call answers a station or module that is not filed with a plain 0 or nothing at all, the C
 * function answers ZDZ_E_UNKNOWN instead; where the C++ call has a code of its own for it (205,
 * 502, 0xFFFF) that code is the status.
 *
 * Outputs. Output pointers named in a function's comment as optional may be null; every other
 * pointer must not be (ZDZ_E_ARGUMENT). Outputs are written only on ZDZ_OK unless the comment
 * says otherwise.
 *
 * Buffers. The caller owns every buffer it passes and gives its capacity in bytes (or in records
 * where said). Text comes out zero-terminated and cut to the capacity: *size receives the bytes
 * the whole text needs, its terminating zero included, and when that is more than the capacity
 * the status is ZDZ_E_BUFFER_TOO_SMALL with as much of the text as fits, still terminated. A null
 * buffer with capacity 0 asks for the size: the status is then ZDZ_OK and only *size is written.
 * Bytes (module replies) are copied the same way, without a terminating zero. A settings value
 * that did not fit was read all the same: *size is the size of the value actually read, which
 * another writer may change before the next call.
 *
 * Bad input never crashes: null pointers, zero capacities, unknown ids, handles that were never
 * made, were released, or are released twice all answer a status.
 *
 * Records. Stations filed with zdz_add_station are made and kept by the C layer and freed by
 * zdz_exit or zdz_remove_station; modules filed with zdz_add_module pass to the database, which
 * destroys them in zdz_exit (and zdz_exit_front_end, zdz_exit_multi_module). Virtual stations
 * (<zodavudaz/sim/zodavudaz_sim_c.h>) are released only after zdz_exit; released earlier they
 * answer ZDZ_E_ORDER.
 *
 * Threads. Any thread may call any function. The C interface holds one process-wide lock during
 * each call, re-entrant for the thread that holds it, so that a packet handler or another
 * callback may call any function. A call that waits holds up every other thread's call while it
 * waits: a module request up to its time-out, a settings call up to 5 s on a locked file.
 * zdz_call_locked makes several calls one. Calls of the C++ interface made directly take no lock
 * and are not serialised with the C calls.
 *
 * Text is the library's single-byte text, byte for byte, without any conversion (code page 932
 * where the Japanese language is selected).
 *
 * Reply synchronisation. The acquisition calls take a timeout_ms: the C layer makes the reply
 * record the C++ call needs, synchronous, with that time-out in milliseconds (0: the default of
 * 10000 ms).
 *
 * Once released, a function or struct never changes; later versions only add.
 */
#ifndef ZODAVUDAZ_ZODAVUDAZ_C_H
#define ZODAVUDAZ_ZODAVUDAZ_C_H

#include <zodavudaz/platform/Export.h>

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Status ------------------------------------------------------------------------------- */

#define ZDZ_OK 0
/** A null pointer where one is needed, a value out of range, a text that does not read. */
#define ZDZ_E_ARGUMENT (-1)
/** A station, module or keyword that is not known. */
#define ZDZ_E_UNKNOWN (-2)
/** Not a live handle: never made, or released. */
#define ZDZ_E_HANDLE (-3)
/** The output did not fit; *size (or the count named) tells what is needed. */
#define ZDZ_E_BUFFER_TOO_SMALL (-4)
#define ZDZ_E_NO_MEMORY (-5)
/** No such file, section or key (settings); no such entry, filter, table or stored record. */
#define ZDZ_E_NOT_FOUND (-6)
/** The settings file stayed locked by other callers past the 5 s bound. */
#define ZDZ_E_BUSY (-7)
/** A settings name or value the file format cannot hold (a value with CR or LF, a key with "="...). */
#define ZDZ_E_REFUSED_NAME (-8)
/** A settings file that cannot be opened, read or written. */
#define ZDZ_E_FILE_SYSTEM (-9)
/** A call out of order: virtual stations released before zdz_exit, a station removed while it
 *  holds modules, an interpreter released or fed again from its own handler. */
#define ZDZ_E_ORDER (-10)
/** The station or module id is already filed. */
#define ZDZ_E_EXISTS (-11)
/** A packet handler stopped the packet's dispatch. */
#define ZDZ_E_STOPPED (-12)
/** Nothing came before the time-out (a wait for an acquisition). */
#define ZDZ_E_TIMEOUT (-13)

/// A short text for status, never null: for the codes above, the library's own codes, and a
/// general text for any other frontend code and for unknown negative values. Takes no lock.
ZODAVUDAZ_EXPORT const char* zdz_status_text(int32_t status);

/// The calling thread's text about its last call of this interface, never null: where the call
/// failed, what the failure was about in words that name it (the statement that does not read,
/// the file, section and product of a stored record not found, the length a packet needs);
/// where it succeeded with a cause to report (zdz_update_data_base_ex), that cause; "" where the
/// status says everything. Bytes that are not printable ASCII are written as \xHH. Valid until
/// the thread's next call; each call, refused ones included, replaces it. Takes no lock.
ZODAVUDAZ_EXPORT const char* zdz_last_error(void);
/// Sets the calling thread's text to text (null: "") the way the library's own calls do, escaped
/// and cut, and returns status: for layers over this interface, such as the simulation's C calls,
/// so that zdz_last_error explains their results too. Takes no lock.
ZODAVUDAZ_EXPORT int32_t zdz_set_last_error(int32_t status, const char* text);

/// Runs call(context) under the interface's lock and returns its status: the calls it makes are
/// one, with no other thread's call between them. ZDZ_E_ARGUMENT for a null call.
ZODAVUDAZ_EXPORT int32_t zdz_call_locked(int32_t (*call)(void* context), void* context);

/// The loaded library's version (GetZoDavudazVersion): its three numbers and its text
/// "MAJOR.MINOR.PATCH" (static, never freed). Every output is optional.
ZODAVUDAZ_EXPORT int32_t zdz_get_version(int32_t* major, int32_t* minor, int32_t* patch, const char** text);

/* ---- Records of a fixed layout ------------------------------------------------------------ */

/** A rectangle of four signed coordinates (the framework's CRect and RECT). */
typedef struct zdz_rect {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
} zdz_rect;

/** A window's placement (WINDOWPLACEMENT), 44 bytes; length holds 44 once read. */
typedef struct zdz_window_placement {
  uint32_t length;
  uint32_t flags;
  uint32_t show_cmd;
  int32_t min_x;
  int32_t min_y;
  int32_t max_x;
  int32_t max_y;
  zdz_rect normal;
} zdz_window_placement;

/** A channel scaling record (CHNLINF): 96 bytes that the applications and the modules define. */
typedef struct zdz_chnlinf {
  uint8_t bytes[96];
} zdz_chnlinf;

/** The 128-byte wave information record a module sends about one channel (WAVEINF). Values 0 to
 *  4 are stored as data_type says, from the first byte of their 8-byte slot. */
typedef struct zdz_waveinf {
  uint32_t reserved0;
  /** Channel number, counted from 0. */
  uint16_t word_a;
  uint16_t word_b;
  /** Type code of values 0 to 4. */
  uint8_t data_type;
  uint8_t byte_c;
  uint8_t byte_d;
  uint8_t reserved11;
  /** Data points of the acquisition. */
  uint32_t point_num;
  /** E and F together hold one double, the sample interval. */
  uint32_t dword_e;
  uint32_t dword_f;
  uint32_t dword_g;
  uint32_t dword_h;
  uint32_t dword_i;
  uint32_t dword_j;
  uint8_t value0[8];
  uint8_t value1[8];
  uint8_t value2[8];
  uint32_t dword_k;
  uint32_t reserved68;
  uint8_t value3[8];
  uint8_t value4[8];
  uint32_t dword_l;
  uint16_t word_m;
  uint16_t second_unit_code;
  uint32_t dword_n;
  uint32_t dword_o;
  uint32_t dword_p;
  uint32_t dword_q;
  uint16_t unit_code;
  uint16_t reserved114;
  /** User unit texts, not zero-terminated when 4 characters long. */
  char unit_text1[4];
  char unit_text2[4];
  /** Seconds since 1970-01-01; 0 or 0xFFFFFFFF for none. */
  uint32_t time_stamp;
} zdz_waveinf;

/** The library's 104-byte acquisition information record (_AcqDataInfo), filled from one
 *  zdz_waveinf: its fields widened to 16 bits and its five values converted to double. */
typedef struct zdz_acq_data_info {
  uint16_t word_a;
  uint16_t data_type;
  uint16_t word_b;
  uint16_t byte_c;
  uint16_t byte_d;
  uint16_t word_m;
  uint32_t point_num;
  uint32_t dword_k;
  uint32_t dword_l;
  uint32_t dword_e_to_j[6];
  uint32_t dword_n_to_q[4];
  double values[5];
} zdz_acq_data_info;

/** A module's save-on-trigger settings (ActOnTrigInfo), 412 bytes; the reserved bytes belong to
 *  the sequence thread. */
typedef struct zdz_act_on_trig_info {
  uint8_t reserved0;
  uint8_t trig_setting1;
  uint8_t trig_setting2;
  uint8_t trig_setting3;
  uint8_t trig_setting4;
  uint8_t trig_setting5;
  uint8_t trig_setting6;
  uint8_t trig_setting7;
  uint8_t trig_setting8;
  uint8_t reserved9[7];
  int32_t trig_value;
  /** Number of files in save mode. */
  int32_t file_num;
  /** First file number in save mode. */
  int32_t file_start_no;
  char save_directory[256];
  char save_file_name[128];
} zdz_act_on_trig_info;

/** One channel's wave information as zdz_zoc_set_channel_wave_info fills it (ChWaveInfo), its
 *  texts zero-terminated and cut to their fields; 168 bytes. */
typedef struct zdz_ch_wave_info {
  uint16_t channel;
  uint16_t data_type;
  uint32_t point_num;
  uint16_t byte_c;
  uint16_t byte_d;
  uint32_t reserved12;
  /** The double the module sends in dwords E and F: the sample interval. */
  double interval;
  /** Dword L times interval. */
  double span;
  /** Dwords G to J as sent. */
  uint32_t block[4];
  /** Values 3, 4, 0, 1 and 2 of the module's record, in this order, as doubles. */
  double values[5];
  /** "CH<channel + 1>". */
  char name[16];
  /** The texts of the unit code and of the second unit code. */
  char unit[16];
  char second_unit[16];
  /** "yyyy/mm/dd" and "hh:mm:ss" of the acquisition, local time. */
  char date[16];
  char time[16];
} zdz_ch_wave_info;

/* ---- The database: set-up and shutdown ---------------------------------------------------- */

/// Makes the table of frontend numbers 15 entries long, every number free (CGUIDatabase::Init).
ZODAVUDAZ_EXPORT int32_t zdz_init(void);
/// Ends every module and empties the database (CGUIDatabase::Exit), then frees the stations that
/// zdz_add_station made. After it, virtual stations may be released. A second call does nothing.
/// ZDZ_E_ORDER, ending nothing, on the sequence manager's own thread (inside a receiver of the
/// simulation's announcements), as for zdz_exit_front_end and zdz_exit_multi_module.
ZODAVUDAZ_EXPORT int32_t zdz_exit(void);

/// The lowest free frontend number 1 to 15, without taking it; 0xFFFF when none is free or before
/// zdz_init (GetFrontendNo).
ZODAVUDAZ_EXPORT int32_t zdz_get_frontend_no(uint16_t* number);
/// Takes the lowest free frontend number; nothing when none is free (SetFrontendNo).
ZODAVUDAZ_EXPORT int32_t zdz_set_frontend_no(void);
/// Frees frontend number; a number outside 1 to 15 is ignored (ClearFrontendNo(number)).
ZODAVUDAZ_EXPORT int32_t zdz_clear_frontend_no(uint16_t number);
/// Frees every frontend number (ClearFrontendNo()).
ZODAVUDAZ_EXPORT int32_t zdz_clear_all_frontend_no(void);

/// The settings folder, where "\\Mardel.ini" and "\\Mardel.tmp" are read (SetCurrentPath,
/// GetCurrentPath); "\\" and "/" both separate folders.
ZODAVUDAZ_EXPORT int32_t zdz_set_current_path(const char* path);
ZODAVUDAZ_EXPORT int32_t zdz_get_current_path(char* path, uint32_t capacity, uint32_t* size);
/// A path kept for the applications (SetMultiModulePath, GetMultiModulePath).
ZODAVUDAZ_EXPORT int32_t zdz_set_multi_module_path(const char* path);
ZODAVUDAZ_EXPORT int32_t zdz_get_multi_module_path(char* path, uint32_t capacity, uint32_t* size);

/** The database's GUI flags, stored and returned as given (CGUIDatabase::SetGuiAllModule...). */
#define ZDZ_FLAG_GUI_ALL_MODULE 0
#define ZDZ_FLAG_GUI_POWER 1
#define ZDZ_FLAG_VIEWER_HEIGHT 2
#define ZDZ_FLAG_VIEWER_WIDTH 3
#define ZDZ_FLAG_SYSTEM_ERROR_LOG 4
#define ZDZ_FLAG_SYSTEM_LANGUAGE 5
#define ZDZ_FLAG_PARAM_POWER 6
#define ZDZ_FLAG_ONE_PANEL 7
#define ZDZ_FLAG_DBL_CLICK_PANEL 8
#define ZDZ_FLAG_NON_LOAD 9
#define ZDZ_FLAG_NON_TOOL_TIP 10
#define ZDZ_FLAG_POWER_MSG 11
#define ZDZ_FLAG_PARAM_START 12
#define ZDZ_FLAG_DEFAULT_SAVE 13
#define ZDZ_FLAG_COUNT 14

/// Stores or reads one of the flags above; ZDZ_E_ARGUMENT for another flag number.
ZODAVUDAZ_EXPORT int32_t zdz_set_flag(int32_t flag, int32_t value);
ZODAVUDAZ_EXPORT int32_t zdz_get_flag(int32_t flag, int32_t* value);
/// The screen rectangle of the save-on-trigger monitor window (SetSaveOnTrigMonitorRect,
/// GetSaveOnTrigMonitorRect).
ZODAVUDAZ_EXPORT int32_t zdz_set_save_on_trig_monitor_rect(const zdz_rect* rect);
ZODAVUDAZ_EXPORT int32_t zdz_get_save_on_trig_monitor_rect(zdz_rect* rect);

/* ---- Stations and modules filed by id ----------------------------------------------------- */

/// Files a new station (a CStation the C layer makes and keeps) with its name and model (at most
/// 31 bytes; "ZI400" in it gives 4 slots, "RA800" 8); every slot empty. ZDZ_E_EXISTS when the id
/// is filed, ZDZ_E_ARGUMENT for a model too long.
ZODAVUDAZ_EXPORT int32_t zdz_add_station(uint16_t station, const char* name, const char* model);
/// Unfiles the station and frees it when zdz_add_station made it (virtual stations are freed when
/// released). ZDZ_E_ORDER while it holds modules: end them with zdz_exit_front_end first.
ZODAVUDAZ_EXPORT int32_t zdz_remove_station(uint16_t station);
/// Sets the facts of slot 0 to 15 of a station: a module sits there (module_exist nonzero), bit 0
/// of slot_attribute lets it be a connected group's master, connect_status 1 joins it to the next
/// slot. ZDZ_E_ARGUMENT for a slot above 15.
ZODAVUDAZ_EXPORT int32_t zdz_set_station_slot(uint16_t station, uint16_t slot, uint8_t module_exist,
                                              uint8_t slot_attribute, uint8_t connect_status);
/// The station's position in the application's station list (ListIndex).
ZODAVUDAZ_EXPORT int32_t zdz_set_station_list_index(uint16_t station, int32_t index);
/// The handle of the station's item in the application's station tree (TreeItem).
ZODAVUDAZ_EXPORT int32_t zdz_set_station_tree_item(uint16_t station, uintptr_t item);
/// The station's access state (AccessState): 10 allows access, 9 release, in a multi-client system.
ZODAVUDAZ_EXPORT int32_t zdz_set_station_access_state(uint16_t station, int32_t state);
/// The station's model text.
ZODAVUDAZ_EXPORT int32_t zdz_get_station_model(uint16_t station, char* model, uint32_t capacity, uint32_t* size);
/// What zdz_update_data_base_ex loaded for the station: its window's normal rectangle and its
/// seven "Config" values (config: room for 7).
ZODAVUDAZ_EXPORT int32_t zdz_get_station_stored(uint16_t station, zdz_rect* window, int32_t* config);
/// The ids of the filed stations in the database's walk order (the order of every look-up that
/// answers the first match); *count is how many there are, ZDZ_E_BUFFER_TOO_SMALL with the first
/// capacity ids when they do not fit. A null ids with capacity 0 asks for the count.
ZODAVUDAZ_EXPORT int32_t zdz_get_station_ids(uint16_t* ids, uint32_t capacity, uint32_t* count);

/// Files a new module (a CModule that passes to the database) in a station with its product name
/// (at most 31 bytes), product word (the product id shifted left by 8), channel count and frontend
/// object, an opaque pointer from the frontend library or the simulation (null: none; the
/// database ends it). The module id is the slot number, or an extra module's id. ZDZ_E_EXISTS
/// when the id is filed in the station.
ZODAVUDAZ_EXPORT int32_t zdz_add_module(uint16_t station, uint16_t module, const char* product_name,
                                        uint32_t product_word, uint16_t channels, void* frontend);
/// The control id of the module's current-data query (DataCntlId).
ZODAVUDAZ_EXPORT int32_t zdz_set_module_data_cntl_id(uint16_t station, uint16_t module, uint16_t cntl);
/// The module's flags (ModuleFlags): bit 1 save on trigger enabled, bit 7 scaling enabled.
ZODAVUDAZ_EXPORT int32_t zdz_set_module_flags(uint16_t station, uint16_t module, uint8_t flags);
/// The event held for the module in the communication library, released by zdz_exit; 0xFFFF: none.
ZODAVUDAZ_EXPORT int32_t zdz_set_module_event_id(uint16_t station, uint16_t module, uint32_t event_id);
/// The handle of the module's item in the application's station tree (TreeItem).
ZODAVUDAZ_EXPORT int32_t zdz_set_module_tree_item(uint16_t station, uint16_t module, uintptr_t item);
/// The module's scaling status (nonzero: scaling in effect) and a copy of its scaling table,
/// records (rows of the module's channel count) channel scaling records; a null table with 0
/// records removes it. The previous table is freed.
ZODAVUDAZ_EXPORT int32_t zdz_set_module_scaling(uint16_t station, uint16_t module, uint8_t status,
                                                const zdz_chnlinf* table, uint32_t records);
/// The ids of the station's modules in walk order, as zdz_get_station_ids.
ZODAVUDAZ_EXPORT int32_t zdz_get_module_ids(uint16_t station, uint16_t* ids, uint32_t capacity, uint32_t* count);
/// The module's product name and product word as filed.
ZODAVUDAZ_EXPORT int32_t zdz_get_module_product_name(uint16_t station, uint16_t module, char* name, uint32_t capacity,
                                                     uint32_t* size);
ZODAVUDAZ_EXPORT int32_t zdz_get_module_product_word(uint16_t station, uint16_t module, uint32_t* product_word);
/// What zdz_update_data_base_ex loaded for the module: its window's right and bottom (65537: none
/// stored), its four back-up settings (GuiSimpleMode, BackupSetting2 to 4; backup: room for 4) and
/// its three "Config" values (config: room for 3).
ZODAVUDAZ_EXPORT int32_t zdz_get_module_stored(uint16_t station, uint16_t module, int32_t* window_right,
                                               int32_t* window_bottom, uint8_t* backup, int32_t* config);
/// The module's save-on-trigger settings.
ZODAVUDAZ_EXPORT int32_t zdz_get_module_act_on_trig_info(uint16_t station, uint16_t module, zdz_act_on_trig_info* info);

/// Loads the station's and its modules' stored GUI state from the settings file (a full path) and
/// hands back the station's back-up text (UpdateDataBaseEx); what is not stored takes its default.
/// ZDZ_OK also where the file stayed locked past the 5 s bound or cannot be read (a folder, no
/// permission) and everything took its default: zdz_last_error then says which, and is "" where
/// the file was read or is missing (nothing stored).
ZODAVUDAZ_EXPORT int32_t zdz_update_data_base_ex(const char* file, uint16_t station, char* backup, uint32_t capacity,
                                                 uint32_t* size);
/// Puts the station's windows and save-on-trigger settings back to their defaults (UpdateDataBase).
ZODAVUDAZ_EXPORT int32_t zdz_update_data_base(uint16_t station);
/// Puts the save-on-trigger settings of the station's modules back to their defaults
/// (ResetActOnTrigDatabase).
ZODAVUDAZ_EXPORT int32_t zdz_reset_act_on_trig_database(uint16_t station);

/* ---- Look-ups ----------------------------------------------------------------------------- */

/// ZDZ_OK when the station is filed, else ZDZ_E_UNKNOWN (GetStationInf).
ZODAVUDAZ_EXPORT int32_t zdz_find_station(uint16_t station);
/// The first station in walk order whose name equals name exactly (GetStationInf by name).
ZODAVUDAZ_EXPORT int32_t zdz_find_station_by_name(const char* name, uint16_t* station);
/// The first station whose list index is index (GetStationListInf).
ZODAVUDAZ_EXPORT int32_t zdz_find_station_by_list_index(int32_t index, uint16_t* station);
/// The first station whose tree item is item (GetStationTreeInf).
ZODAVUDAZ_EXPORT int32_t zdz_find_station_by_tree_item(uintptr_t item, uint16_t* station);
/// ZDZ_OK when the module is filed in the station, else ZDZ_E_UNKNOWN (GetModuleInf).
ZODAVUDAZ_EXPORT int32_t zdz_find_module(uint16_t station, uint16_t module);
/// The first module, station by station, whose tree item is item (GetModuleTreeInf).
ZODAVUDAZ_EXPORT int32_t zdz_find_module_by_tree_item(uintptr_t item, uint16_t* station, uint16_t* module);
/// *same = 1 when a station filed under another id has this name (IsSameStationName).
ZODAVUDAZ_EXPORT int32_t zdz_is_same_station_name(const char* name, uint16_t station, int32_t* same);

/// Slot facts of a filed station; a slot with bits 4 to 7 set is an extra module's.
/// The station's last slot: 4 for a "ZI400" model, 8 for "RA800", else 0 (GetMaxSlot).
ZODAVUDAZ_EXPORT int32_t zdz_get_max_slot(uint16_t station, uint8_t* slots);
ZODAVUDAZ_EXPORT int32_t zdz_is_exist_module(uint16_t station, uint16_t slot, int32_t* exists);
ZODAVUDAZ_EXPORT int32_t zdz_get_connect_status(uint16_t station, uint16_t slot, uint8_t* status);
/// *master = 1 when the slot can be a group's master and is joined to the next (CheckMaster).
ZODAVUDAZ_EXPORT int32_t zdz_check_master(uint16_t station, uint16_t slot, int32_t* master);
/// *term = 1 when the slot ends its connected group (CheckTerm).
ZODAVUDAZ_EXPORT int32_t zdz_check_term(uint16_t station, uint16_t slot, int32_t* term);
/// The master slot of the slot's connected group (SearchMaster).
ZODAVUDAZ_EXPORT int32_t zdz_search_master(uint16_t station, uint16_t slot, uint8_t* master);
/// The slots from this one to its group's last, both counted (GetConnectNum).
ZODAVUDAZ_EXPORT int32_t zdz_get_connect_num(uint16_t station, uint16_t slot, uint16_t* count);
/// The slot's position in its group, 0 for the master (GetConnectNo).
ZODAVUDAZ_EXPORT int32_t zdz_get_connect_no(uint16_t station, uint16_t slot, uint16_t* position);

/// Module facts of a filed module.
/// The module's acquisition channels (GetAcqChannel).
ZODAVUDAZ_EXPORT int32_t zdz_get_acq_channel(uint16_t station, uint16_t module, uint16_t* channels);
/// The product name a station shows: the filed one for station 0, "ZO%x" of the product code
/// otherwise (GetProductName); status 0xFFFF and empty text for a module not filed.
ZODAVUDAZ_EXPORT int32_t zdz_get_product_name(uint16_t station, uint16_t module, char* name, uint32_t capacity,
                                              uint32_t* size);
/// "ZO%x" of the low 16 bits of code (GetProductName of a product code).
ZODAVUDAZ_EXPORT int32_t zdz_get_product_name_by_code(uint32_t code, char* name, uint32_t capacity, uint32_t* size);
ZODAVUDAZ_EXPORT int32_t zdz_is_save_on_trig_enable(uint16_t station, uint16_t module, int32_t* enabled);
ZODAVUDAZ_EXPORT int32_t zdz_get_gui_simple_mode(uint16_t station, uint16_t module, uint8_t* mode);
/// A copy of record row × channels + channel of the module's scaling table (GetChanScaleInfEx;
/// channel 0 of row 0 is GetChanScaleInf's). ZDZ_E_NOT_FOUND without a table, ZDZ_E_ARGUMENT for a
/// record beyond the table that zdz_set_module_scaling gave.
ZODAVUDAZ_EXPORT int32_t zdz_get_chan_scale_inf(uint16_t station, uint16_t module, uint16_t channel, uint16_t row,
                                                zdz_chnlinf* record);
ZODAVUDAZ_EXPORT int32_t zdz_is_scaling_enable(uint16_t station, uint16_t module, int32_t* enabled);
ZODAVUDAZ_EXPORT int32_t zdz_get_scaling_status(uint16_t station, uint16_t module, int32_t* scaling);

/* ---- Module queries ----------------------------------------------------------------------- */

/* Each asks the module through its frontend with the manager's shared reply record; 205 for a
 * station or module not filed or without a frontend, else the frontend's result. Replies come
 * out as bytes: *size is the reply's length, *type its type code and *count its element count
 * (both optional). */

/// A GUI group request without data; the whole reply packet (GuiQuery).
ZODAVUDAZ_EXPORT int32_t zdz_gui_query(uint16_t station, uint16_t module, uint16_t cntl, void* reply, uint32_t capacity,
                                       uint32_t* size);
/// A GUI group request with one byte: 1 for mode 0, else 2 when the command line holds "-g" and 0
/// when not (GuiGetArray).
ZODAVUDAZ_EXPORT int32_t zdz_gui_get_array(uint16_t station, uint16_t module, uint16_t cntl, uint8_t mode, void* data,
                                           uint32_t capacity, uint32_t* size, uint16_t* type, uint32_t* count);
/// A query group request for setting cntl (SettingQueryPointer).
ZODAVUDAZ_EXPORT int32_t zdz_setting_query_pointer(uint16_t station, uint16_t module, uint16_t cntl, void* data,
                                                   uint32_t capacity, uint32_t* size, uint16_t* type, uint32_t* count);
/// The help information, from the query group, else the param group; *from_query (optional,
/// written whatever the status) 1 when the query group answered (HelpQueryPointer).
ZODAVUDAZ_EXPORT int32_t zdz_help_query_pointer(uint16_t station, uint16_t module, void* data, uint32_t capacity,
                                                uint32_t* size, uint16_t* type, uint32_t* count, uint16_t* from_query);
/// The module's sequence table (GetSeqTable); 205 when it is empty.
ZODAVUDAZ_EXPORT int32_t zdz_get_seq_table(uint16_t station, uint16_t module, void* table, uint32_t capacity,
                                           uint32_t* size);
/// The module's sequence mode (GetSeqMode).
ZODAVUDAZ_EXPORT int32_t zdz_get_seq_mode(uint16_t station, uint16_t module, uint16_t* mode);
/// Executes cntl with count elements of type at data: count << (type >> 4) bytes; type 0xFF with
/// count 0 and a null data send none (SyncExec).
ZODAVUDAZ_EXPORT int32_t zdz_sync_exec(uint16_t station, uint16_t module, uint16_t cntl, const void* data,
                                       uint16_t type, uint32_t count);
/// The module's frontend object (GetFrontendModule); ZDZ_E_UNKNOWN and null when the module is not
/// filed or has none.
ZODAVUDAZ_EXPORT int32_t zdz_get_frontend_module(uint16_t station, uint16_t module, void** frontend);
/// The station's name (GuiGetStationName).
ZODAVUDAZ_EXPORT int32_t zdz_gui_get_station_name(uint16_t station, char* name, uint32_t capacity, uint32_t* size);
/// "Slot %d " (Japanese when the manager's language is 17) or "%d:" of an extra module, then the
/// product name (GuiGetModuleName).
ZODAVUDAZ_EXPORT int32_t zdz_gui_get_module_name(uint16_t station, uint16_t module, char* name, uint32_t capacity,
                                                 uint32_t* size);

/* ---- Acquired data ------------------------------------------------------------------------ */

/* 502 for a station or module not filed or without a frontend, 302 when the module reports no
 * wave information, 400 when scratch memory cannot be allocated, else the frontend's result.
 * offset picks the member of a connected group (0: the module itself). first, second, third and
 * fourth go to the module as they are: the simulated modules read first as the channel and third
 * as the first point. */

/// The module's wave information records (GetWaveInfo): up to capacity records into info, *count
/// the records the module delivered (at most 100); ZDZ_E_BUFFER_TOO_SMALL when they were more than
/// capacity.
ZODAVUDAZ_EXPORT int32_t zdz_get_wave_info(uint16_t station, uint16_t module, uint16_t offset, int32_t first,
                                           int32_t second, zdz_waveinf* info, uint32_t capacity, uint16_t* count,
                                           uint32_t timeout_ms);
/// The same converted (GetAcqInfo); the module delivers at most zdz_get_connect_num ×
/// zdz_get_acq_channel records.
ZODAVUDAZ_EXPORT int32_t zdz_get_acq_info(uint16_t station, uint16_t module, uint16_t offset, int32_t first,
                                          int32_t second, zdz_acq_data_info* info, uint32_t capacity, uint16_t* count,
                                          uint32_t timeout_ms);
/// Acquired data into buffer (GetAcqDataEx): points points (0: all there are) from the direction
/// 0, 1 (ending at the start point) or 2 (beginning there), two elements each (minimum and
/// maximum). *type is the type code of the bytes in buffer, *bytes how many the module wrote there
/// (never more than capacity), *elements the module's element count: of this reply, or, when the
/// reply is not the 2 × points elements asked for, of the second request GetAcqDataEx then makes
/// for every point into PointNum × w + 16 bytes (w = 1 << (*type >> 4)); a simulated module then
/// reports min(2 × the points it holds from the start in that direction, PointNum + 16 / w), about
/// half of them (docs/acquired-data.md), so never size a buffer from it. The three are written
/// whatever the status. A null buffer goes only with capacity 0. The status is the first
/// request's result. A buffer for the whole acquisition: zdz_get_wave_info of the channel, then
/// 2 × PointNum × (1 << (DataType >> 4)) bytes with points 0.
ZODAVUDAZ_EXPORT int32_t zdz_get_acq_data_ex(uint16_t station, uint16_t module, uint16_t offset, int32_t first,
                                             int32_t second, int32_t third, int32_t fourth, uint32_t points,
                                             uint16_t direction, void* buffer, uint32_t capacity, uint16_t* type,
                                             uint32_t* bytes, uint32_t* elements, uint32_t timeout_ms);
/// The current values of the module, or of its whole connected group when it is the group's
/// first, into buffer (GetCurrentData); *size the bytes delivered, a member's reply that does not
/// fit dropped whole, and *type the last reply's type code, both written whatever the status. 502
/// for a channel other than -1 or a module that is not its group's first.
ZODAVUDAZ_EXPORT int32_t zdz_get_current_data(uint16_t station, uint16_t module, int16_t channel, void* buffer,
                                              uint32_t capacity, uint32_t* size, uint16_t* type, uint32_t timeout_ms);
/// Sends the scaling enable byte, then count scaling records (SetScaleTbl); the second request's
/// result.
ZODAVUDAZ_EXPORT int32_t zdz_set_scale_tbl(uint16_t station, uint16_t module, uint16_t offset, const zdz_chnlinf* table,
                                           uint16_t count, uint8_t enable, uint32_t timeout_ms);

/* ---- Front-end usage registry ------------------------------------------------------------- */

/* The modules filed under station 0 are the front ends; frontend is such a module's id. */

/// Records that front end frontend uses the module (RegistFrontendUsedModule); ZDZ_E_UNKNOWN when
/// station 0 or that front end is not filed.
ZODAVUDAZ_EXPORT int32_t zdz_regist_frontend_used_module(uint16_t frontend, uint16_t station, uint16_t module);
/// *used = 1 when some front end uses the module, and *frontend (optional) the first one's id,
/// 0xFFFF when none (IsUseFrontEnd).
ZODAVUDAZ_EXPORT int32_t zdz_is_use_front_end(uint16_t station, uint16_t module, int32_t* used, uint16_t* frontend);
/// *used = 1 when front end frontend uses the module (IsUseFrontEnd of a front end).
ZODAVUDAZ_EXPORT int32_t zdz_is_use_front_end_by(uint16_t frontend, uint16_t station, uint16_t module, int32_t* used);
/// *running = 1 when some user of the module runs a sequence (IsUseFrontEndAndRun).
ZODAVUDAZ_EXPORT int32_t zdz_is_use_front_end_and_run(uint16_t station, uint16_t module, int32_t* running);
/// Posts a stop message for the module's viewer (StopViewer).
ZODAVUDAZ_EXPORT int32_t zdz_stop_viewer(uint16_t station, uint16_t module);
/// Ends the module's frontend and unfiles it (ExitFrontEnd), then frees the module record.
ZODAVUDAZ_EXPORT int32_t zdz_exit_front_end(uint16_t station, uint16_t module);
/// The same for a front end or any module, also freeing its frontend number (ExitMultiModule).
ZODAVUDAZ_EXPORT int32_t zdz_exit_multi_module(uint16_t station, uint16_t module);
/// *enabled = 1 when the station's access state is 10 (9 for release) and the system is
/// multi-client (IsAccessEnable, IsReleaseEnable).
ZODAVUDAZ_EXPORT int32_t zdz_is_access_enable(uint16_t station, int32_t* enabled);
ZODAVUDAZ_EXPORT int32_t zdz_is_release_enable(uint16_t station, int32_t* enabled);

/* ---- GUI filters -------------------------------------------------------------------------- */

/// Files value under a number or a name (case-sensitive) for the module, replacing what was filed
/// there (AddGuiFilter).
ZODAVUDAZ_EXPORT int32_t zdz_add_gui_filter(uint16_t station, uint16_t module, uint16_t id, uint16_t value);
ZODAVUDAZ_EXPORT int32_t zdz_add_named_gui_filter(uint16_t station, uint16_t module, const char* name, uint16_t value);
/// Removes the filter under the number or name; ZDZ_OK also when there is none (RemoveGuiFilter).
ZODAVUDAZ_EXPORT int32_t zdz_remove_gui_filter(uint16_t station, uint16_t module, uint16_t id);
ZODAVUDAZ_EXPORT int32_t zdz_remove_named_gui_filter(uint16_t station, uint16_t module, const char* name);
/// Removes every filter of the module (RemoveAllGuiFilter).
ZODAVUDAZ_EXPORT int32_t zdz_remove_all_gui_filter(uint16_t station, uint16_t module);
/// The value filed under the number or name; ZDZ_E_NOT_FOUND when there is none (GetGuiFilter).
ZODAVUDAZ_EXPORT int32_t zdz_get_gui_filter(uint16_t station, uint16_t module, uint16_t id, uint16_t* value);
ZODAVUDAZ_EXPORT int32_t zdz_get_named_gui_filter(uint16_t station, uint16_t module, const char* name, uint16_t* value);

/* ---- Control functions -------------------------------------------------------------------- */

/// Does nothing (ZocInit).
ZODAVUDAZ_EXPORT int32_t zdz_zoc_init(void);
/// The module's product id, its product word shifted right by 8 (ZocGetProductId); 0xFFFF for a
/// module not filed.
ZODAVUDAZ_EXPORT int32_t zdz_zoc_get_product_id(uint16_t station, uint16_t module, uint32_t* product_id);
/// The text of a unit code, "?" for a code without one (ZocGetUnitStr).
ZODAVUDAZ_EXPORT int32_t zdz_zoc_get_unit_str(uint16_t code, char* text, uint32_t capacity, uint32_t* size);
/// The same with the user units 0xFFF0 (text1) and 0xFFF1 (text1 and text2); a null text counts as
/// empty (ZocGetUnitStrEx).
ZODAVUDAZ_EXPORT int32_t zdz_zoc_get_unit_str_ex(uint16_t code, const char* text1, const char* text2, char* text,
                                                 uint32_t capacity, uint32_t* size);
/// Fills a channel's wave information from a module's record (ZocSetChannelWaveInfo).
ZODAVUDAZ_EXPORT int32_t zdz_zoc_set_channel_wave_info(const zdz_waveinf* source, zdz_ch_wave_info* target);
/// Runs test item (0xFF: all) on the slot's group master and reads the mask and result words into
/// results (room for 17 words) (ZocExecModuleTest); 207 for a slot that cannot be tested.
ZODAVUDAZ_EXPORT int32_t zdz_zoc_exec_module_test(uint16_t station, uint16_t module, uint16_t item, uint16_t* results);
/// The module's frontend object (ZocGetFrontEnd1), or that of the station with network address
/// address (ZocGetFrontEnd2); ZDZ_E_UNKNOWN and null when there is none.
ZODAVUDAZ_EXPORT int32_t zdz_zoc_get_front_end1(uint16_t station, uint16_t module, void** frontend);
ZODAVUDAZ_EXPORT int32_t zdz_zoc_get_front_end2(int32_t address, uint16_t module, void** frontend);
/// Executes control word cntl through the module's frontend or, without one, the communication
/// library (ZocMoteSyncExec); with data as zdz_sync_exec (ZocMoteSyncExec2).
ZODAVUDAZ_EXPORT int32_t zdz_zoc_mote_sync_exec(uint16_t station, uint16_t module, uint16_t cntl);
ZODAVUDAZ_EXPORT int32_t zdz_zoc_mote_sync_exec2(uint16_t station, uint16_t module, uint16_t cntl, const void* data,
                                                 uint16_t type, uint32_t count);
/// Queries setting cntl into out, at most capacity bytes (ZocMoteSettingQuery); *type and *count
/// (both optional, written whatever the status) describe the reply.
ZODAVUDAZ_EXPORT int32_t zdz_zoc_mote_setting_query(uint16_t station, uint16_t module, uint16_t cntl, void* out,
                                                    uint32_t capacity, uint16_t* type, uint32_t* count);
/// Posts a start or stop of the module's sequence (ZocStartButton, ZocStopButton); 0xFFFF when
/// nothing could be posted.
ZODAVUDAZ_EXPORT int32_t zdz_zoc_start_button(uint16_t station, uint16_t module);
ZODAVUDAZ_EXPORT int32_t zdz_zoc_stop_button(uint16_t station, uint16_t module);
/// Posts the start LED state to the GUI thread (ZocUpdateStartLED); the post's result.
ZODAVUDAZ_EXPORT int32_t zdz_zoc_update_start_led(uint16_t first, uint16_t second, uint16_t third);
/// The module's number of files and first file number in save mode (ZocGetFileNumInSaveMode,
/// ZocGetFileStartNoInSaveMode); 0xFFFF for a module not filed.
ZODAVUDAZ_EXPORT int32_t zdz_zoc_get_file_num_in_save_mode(uint16_t station, uint16_t module, uint32_t* value);
ZODAVUDAZ_EXPORT int32_t zdz_zoc_get_file_start_no_in_save_mode(uint16_t station, uint16_t module, uint32_t* value);
/// The process-wide CG class, 0 at load (ZoSetCGClass, ZoGetCGClass).
ZODAVUDAZ_EXPORT int32_t zdz_zo_set_cg_class(uint32_t value);
ZODAVUDAZ_EXPORT int32_t zdz_zo_get_cg_class(uint32_t* value);
/// A multi-line text in its one-line stored form, every CR and LF as ";" (";" for an empty text)
/// (ConvertTerm), and back, every ";;" as CR LF ("" for ";") (ReverseTerm).
ZODAVUDAZ_EXPORT int32_t zdz_convert_term(const char* source, char* target, uint32_t capacity, uint32_t* size);
ZODAVUDAZ_EXPORT int32_t zdz_reverse_term(const char* source, char* target, uint32_t capacity, uint32_t* size);

/* ---- Settings files ----------------------------------------------------------------------- */

/* A settings call that gives 0 in C++ answers why: ZDZ_E_NOT_FOUND (no such file, section or
 * key, or no usable entry), ZDZ_E_BUSY, ZDZ_E_REFUSED_NAME or ZDZ_E_FILE_SYSTEM. File names are
 * full paths. */

/** Why the calling thread's last settings call gave 0 (ProfileCause). */
#define ZDZ_CAUSE_NONE 0
#define ZDZ_CAUSE_MISSING_FILE 1
#define ZDZ_CAUSE_MISSING_SECTION 2
#define ZDZ_CAUSE_MISSING_KEY 3
#define ZDZ_CAUSE_BUSY 4
#define ZDZ_CAUSE_REFUSED_NAME 5
#define ZDZ_CAUSE_FILE_SYSTEM_FAILURE 6
/** Notices of a call that succeeded: a rollback journal left stale and not applied, and a write
 * made in place without one (ProfileCause::StaleJournal, ProfileCause::UnprotectedWrite). */
#define ZDZ_CAUSE_STALE_JOURNAL 7
#define ZDZ_CAUSE_UNPROTECTED_WRITE 8

/// The value of key in section of file (GetProfileStringEx); an empty value is ZDZ_OK.
ZODAVUDAZ_EXPORT int32_t zdz_get_profile_string(const char* file, const char* section, const char* key, char* value,
                                                uint32_t capacity, uint32_t* size);
/// Writes key=value as the last key line of section, making the section and the file where they
/// are missing (WriteProfileStringEx).
ZODAVUDAZ_EXPORT int32_t zdz_write_profile_string(const char* file, const char* section, const char* key,
                                                  const char* value);
/// The cause of the calling thread's last settings call: ZDZ_CAUSE_NONE, or one of the two
/// notices, after a success (GetLastProfileCause).
ZODAVUDAZ_EXPORT int32_t zdz_get_last_profile_cause(int32_t* cause);
/// The whole file, read under the readers' lock (ReadProfileFile).
ZODAVUDAZ_EXPORT int32_t zdz_read_profile_file(const char* file, char* text, uint32_t capacity, uint32_t* size);
/// The names of the file's sections in file order, as zdz_get_profile_string finds them (a header
/// is a whole line), each once and followed by LF ("" for none): read whole under the readers' lock
/// (ReadProfileFile, then the profile engine's own reading of it). Fails as zdz_read_profile_file.
ZODAVUDAZ_EXPORT int32_t zdz_profile_sections(const char* file, char* names, uint32_t capacity, uint32_t* size);
/// The names of the keys of section (its first one of that name) in file order, each once and
/// followed by LF: the text before the first "=" of each line of its body. ZDZ_E_NOT_FOUND for a missing
/// file or section.
ZODAVUDAZ_EXPORT int32_t zdz_profile_keys(const char* file, const char* section, char* names, uint32_t capacity,
                                          uint32_t* size);

/** A settings file open for reading line by line. */
typedef struct zdz_settings_file zdz_settings_file;
/// Opens file for reading line by line; ZDZ_E_NOT_FOUND when it does not exist, ZDZ_E_FILE_SYSTEM
/// when it cannot be opened. Closed with zdz_settings_file_close.
ZODAVUDAZ_EXPORT int32_t zdz_settings_file_open(const char* file, zdz_settings_file** handle);
/// The next line with its line end (ReadStringEx); an empty text at the end of the file. A line
/// that does not fit, or whose size a null line asked for, is read again by the next call.
ZODAVUDAZ_EXPORT int32_t zdz_read_string_ex(zdz_settings_file* handle, char* line, uint32_t capacity, uint32_t* size);
ZODAVUDAZ_EXPORT int32_t zdz_settings_file_close(zdz_settings_file* handle);

/// The main window's placement from section "Settings" of the settings folder's "\\Mardel.tmp"
/// (ReadWindowPlacement) or of file (ReadWindowPlacementFile); ZDZ_E_NOT_FOUND, with the record
/// untouched, when no complete placement is stored.
ZODAVUDAZ_EXPORT int32_t zdz_read_window_placement(zdz_window_placement* placement);
ZODAVUDAZ_EXPORT int32_t zdz_read_window_placement_file(zdz_window_placement* placement, const char* file);
/// Stores the placement's ten fields in section "Settings" of file (WriteWindowPlacement).
ZODAVUDAZ_EXPORT int32_t zdz_write_window_placement(const zdz_window_placement* placement, const char* file);
/// A module window's placement from the station's module section (ReadWindowPlacementEx,
/// ReadWindowPlacementExFile); slot -9 names the station's own window.
ZODAVUDAZ_EXPORT int32_t zdz_read_window_placement_ex(zdz_window_placement* placement, uint16_t station, int32_t slot);
ZODAVUDAZ_EXPORT int32_t zdz_read_window_placement_ex_file(zdz_window_placement* placement, uint16_t station,
                                                           int32_t slot, const char* file);
/// Stores a module window's placement in the station's module section of file (WriteWindowPlacementEx).
ZODAVUDAZ_EXPORT int32_t zdz_write_window_placement_ex(const zdz_window_placement* placement, uint16_t station,
                                                       int32_t slot, const char* file);
/// The module's "ModuleInf" entry of the settings folder's "\\Mardel.tmp" (GetModuleBackupInf) or of
/// file (GetModuleBackupInfFile), accepted only where "Product" holds the module's product name.
ZODAVUDAZ_EXPORT int32_t zdz_get_module_backup_inf(uint16_t station, uint16_t module, char* info, uint32_t capacity,
                                                   uint32_t* size);
ZODAVUDAZ_EXPORT int32_t zdz_get_module_backup_inf_file(uint16_t station, uint16_t module, const char* file, char* info,
                                                        uint32_t capacity, uint32_t* size);
/// The station's "Database" entry of file, empty text and ZDZ_OK when the file, section or key is
/// missing (GetStationBackupInf). Where the C++ call gives 1 whatever happened, this one answers a
/// file it could not read: ZDZ_E_BUSY, ZDZ_E_REFUSED_NAME or ZDZ_E_FILE_SYSTEM, writing nothing.
ZODAVUDAZ_EXPORT int32_t zdz_get_station_backup_inf(uint16_t station, const char* file, char* info, uint32_t capacity,
                                                    uint32_t* size);
/// The folder an application registered itself in (GetInstallDirectory); ZDZ_E_NOT_FOUND when it
/// has no registration.
ZODAVUDAZ_EXPORT int32_t zdz_get_install_directory(const char* application, char* directory, uint32_t capacity,
                                                   uint32_t* size);
/// The screen size, the edge the taskbar sits on (0 top, 1 bottom, 2 right, 3 left, 4 none) and
/// the work area it leaves (GetDisplayProperty).
ZODAVUDAZ_EXPORT int32_t zdz_get_display_property(int32_t* width, int32_t* height, int32_t* position,
                                                  zdz_rect* work_area);

/* ---- Viewer settings ---------------------------------------------------------------------- */

/** A viewer settings record (ViewerProperty) that the library owns. */
typedef struct zdz_viewer zdz_viewer;

/// A new record for channels channels with the display defaults (CreateViewerProperty);
/// ZDZ_E_ARGUMENT for 0 channels. Released with zdz_viewer_release. Its ChannelNumber stays 0, as
/// the C++ call leaves it and stored texts depend on, until it is set ("ChannelNumber" through
/// zdz_viewer_set) or read from text: until then no per-channel value is read or written.
ZODAVUDAZ_EXPORT int32_t zdz_viewer_create(uint16_t channels, zdz_viewer** viewer);
/// Frees the record (ReleaseViewerProperty); ZDZ_E_HANDLE when it is not live.
ZODAVUDAZ_EXPORT int32_t zdz_viewer_release(zdz_viewer* viewer);
/// A new record read from its one-line text (Ascii2ViewerProperty); ZDZ_E_ARGUMENT when the text
/// does not read as viewer settings.
ZODAVUDAZ_EXPORT int32_t zdz_viewer_from_text(const char* text, zdz_viewer** viewer);
/// The record's one-line text, "ChannelNumber 2;MathChNum 0;..." (ViewerProperty2Ascii).
ZODAVUDAZ_EXPORT int32_t zdz_viewer_to_text(const zdz_viewer* viewer, char* text, uint32_t capacity, uint32_t* size);
/// Reads one group line "Group<k> <name>;CHID ...;" into the group it names, giving the record its
/// group arrays first where it lacks them (Ascii2ViewerPropertyGr).
ZODAVUDAZ_EXPORT int32_t zdz_viewer_group_from_text(zdz_viewer* viewer, const char* text);
/// Group group's line (ViewerProperty2AsciiGr); ZDZ_E_ARGUMENT for a group not below GrNum,
/// ZDZ_E_NOT_FOUND for a record without group arrays.
ZODAVUDAZ_EXPORT int32_t zdz_viewer_group_to_text(const zdz_viewer* viewer, uint16_t group, char* text,
                                                  uint32_t capacity, uint32_t* size);
/// The settings stored for the module in the settings folder's "\\Mardel.ini" (GetViewerPropertyGui)
/// or, with its groups, in file (GetViewerPropertyGuiEx); ZDZ_E_NOT_FOUND when none is stored for
/// the module's product or the stored text does not read.
ZODAVUDAZ_EXPORT int32_t zdz_viewer_lookup(uint16_t station, uint16_t module, zdz_viewer** viewer);
ZODAVUDAZ_EXPORT int32_t zdz_viewer_lookup_file(uint16_t station, uint16_t module, const char* file,
                                                zdz_viewer** viewer);

/** Flags of a viewer keyword: how it is indexed, whether the record's text carries it, and the
 *  form of its values (bits 8 to 11). */
#define ZDZ_VIEWER_PER_CHANNEL 0x1u
#define ZDZ_VIEWER_PER_GROUP 0x2u
#define ZDZ_VIEWER_NOT_IN_TEXT 0x4u
#define ZDZ_VIEWER_FORM_MASK 0xF00u
#define ZDZ_VIEWER_DECIMAL 0x000u
#define ZDZ_VIEWER_HEX 0x100u
#define ZDZ_VIEWER_DOUBLE 0x200u
#define ZDZ_VIEWER_TEXT 0x300u
/** Keywords: the 64 of the record's text in its order, then "Group" (the group's name) and the six
 *  group columns "CHID", "CHSTS", "MMIN", "MMAX", "CurrentColor", "OtherColor". */
#define ZDZ_VIEWER_KEYWORD_COUNT 71

/// Keyword position (0 to ZDZ_VIEWER_KEYWORD_COUNT - 1): its name (static) and flags (optional).
ZODAVUDAZ_EXPORT int32_t zdz_viewer_keyword(uint32_t position, const char** keyword, uint32_t* flags);
/// The values of keyword as its statement carries them, without the keyword and the ";": numbers
/// separated by one blank ("0 1 0 0", "1.000000e+00", "0xFF0000", "NAN"), texts with byte 14 for
/// each blank and a lone byte 14 for an empty text. index is -1 for a keyword with one statement;
/// a channel for a per-channel keyword (-1: every channel's value); a group for a group keyword.
/// An empty text where the record has no such text or colours; ZDZ_E_UNKNOWN for an unknown
/// keyword, ZDZ_E_ARGUMENT for an index out of range, ZDZ_E_NOT_FOUND for a group keyword of a
/// record without group arrays.
ZODAVUDAZ_EXPORT int32_t zdz_viewer_get(const zdz_viewer* viewer, const char* keyword, int32_t index, char* values,
                                        uint32_t capacity, uint32_t* size);
/// Sets keyword's values from text of the same form, read as the record's text is read: fewer
/// values leave the rest, values beyond a fixed field's room are dropped; one value for one
/// channel. A group keyword gives the record its group arrays where it lacks them. ZDZ_E_ARGUMENT
/// for values with ";" or without any value, for more per-channel values than ChannelNumber and
/// for a ChannelNumber above the channels the record was made for (which the record could not
/// take: zdz_last_error says so); ZDZ_E_ORDER for "GrNum" or "GrChNum" of a record that has group
/// arrays (they are sized by them).
ZODAVUDAZ_EXPORT int32_t zdz_viewer_set(zdz_viewer* viewer, const char* keyword, int32_t index, const char* values);

/* ---- Packets ------------------------------------------------------------------------------ */

#define ZDZ_PACKET_MODULE 0
#define ZDZ_PACKET_STATION 1
#define ZDZ_PACKET_SEMI 2

/// A module, station or semi-module packet of length bytes decoded to text, field by field, one
/// line each, with the handlers it reaches (DecodePacket). ZDZ_E_ARGUMENT for another kind or a
/// packet shorter than its header.
ZODAVUDAZ_EXPORT int32_t zdz_decode_packet(const void* packet, uint32_t length, int32_t kind, char* text,
                                           uint32_t capacity, uint32_t* size);

/** The handlers of the packet interpreter (CModuleCntl), by position 1 to 61. */
#define ZDZ_HANDLER_COUNT 61

/// The name of handler position (1 to ZDZ_HANDLER_COUNT), as CModuleCntl declares it (static).
ZODAVUDAZ_EXPORT int32_t zdz_handler_name(int32_t position, const char** name);

/** A handler: called with the user pointer, its position, and the packet being interpreted
 *  (length bytes), which it may rewrite. Returns 0 to go on; any other value stops the packet's
 *  dispatch. It may call any function of the interface. */
typedef int32_t (*zdz_packet_handler)(void* user, int32_t position, uint8_t* packet, uint32_t length);

/** A packet interpreter that the library owns. */
typedef struct zdz_interpreter zdz_interpreter;

/// A new interpreter whose handler at position p is handlers[p - 1] for p up to count (at most
/// ZDZ_HANDLER_COUNT); a null entry, or a position beyond count, does nothing. user goes to every
/// handler call. Released with zdz_interpreter_release.
ZODAVUDAZ_EXPORT int32_t zdz_interpreter_create(const zdz_packet_handler* handlers, uint32_t count, void* user,
                                                zdz_interpreter** interpreter);
/// Dispatches one module packet of length bytes (at least its 32-byte header) to the handlers it
/// reaches (CModuleCntl::Interpret). ZDZ_E_STOPPED when a handler stopped it, ZDZ_E_ORDER when
/// called from one of this interpreter's own handlers.
ZODAVUDAZ_EXPORT int32_t zdz_interpret(zdz_interpreter* interpreter, uint8_t* packet, uint32_t length);
/// Frees the interpreter; ZDZ_E_ORDER from one of its own handlers.
ZODAVUDAZ_EXPORT int32_t zdz_interpreter_release(zdz_interpreter* interpreter);

#ifdef __cplusplus
}
#endif

#endif
