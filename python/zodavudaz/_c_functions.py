"""Every function of the C interface with its result and argument types, as the header declares it."""

from __future__ import annotations

import ctypes
from ctypes import POINTER as P
from ctypes import c_char_p as TEXT
from ctypes import c_double as DOUBLE
from ctypes import c_int16 as I16
from ctypes import c_int32 as I32
from ctypes import c_size_t as UPTR
from ctypes import c_uint8 as U8
from ctypes import c_uint16 as U16
from ctypes import c_uint32 as U32
from ctypes import c_void_p as ADDRESS
from collections.abc import Callable
from typing import Any

from ._c_records import (
    AcqDataInfo,
    ActOnTrigInfo,
    ChnlInf,
    ChWaveInfo,
    LockedCall,
    PacketHandler,
    Rect,
    SimReceiver,
    WaveInf,
    WindowPlacementRecord,
)

# A bound C function; ctypes gives its results no static type.
CFunction = Callable[..., Any]

# Opaque handles the library owns (a viewer record, an interpreter, an open settings file).
HANDLE = ADDRESS

SIGNATURES: dict[str, tuple[Any, list[Any]]] = {
    "zdz_status_text": (TEXT, [I32]),
    "zdz_last_error": (TEXT, []),
    "zdz_set_last_error": (I32, [I32, TEXT]),
    "zdz_call_locked": (I32, [LockedCall, ADDRESS]),
    "zdz_get_version": (I32, [P(I32), P(I32), P(I32), P(TEXT)]),
    "zdz_init": (I32, []),
    "zdz_exit": (I32, []),
    "zdz_get_frontend_no": (I32, [P(U16)]),
    "zdz_set_frontend_no": (I32, []),
    "zdz_clear_frontend_no": (I32, [U16]),
    "zdz_clear_all_frontend_no": (I32, []),
    "zdz_set_current_path": (I32, [TEXT]),
    "zdz_get_current_path": (I32, [TEXT, U32, P(U32)]),
    "zdz_set_multi_module_path": (I32, [TEXT]),
    "zdz_get_multi_module_path": (I32, [TEXT, U32, P(U32)]),
    "zdz_set_flag": (I32, [I32, I32]),
    "zdz_get_flag": (I32, [I32, P(I32)]),
    "zdz_set_save_on_trig_monitor_rect": (I32, [P(Rect)]),
    "zdz_get_save_on_trig_monitor_rect": (I32, [P(Rect)]),
    "zdz_add_station": (I32, [U16, TEXT, TEXT]),
    "zdz_remove_station": (I32, [U16]),
    "zdz_set_station_slot": (I32, [U16, U16, U8, U8, U8]),
    "zdz_set_station_list_index": (I32, [U16, I32]),
    "zdz_set_station_tree_item": (I32, [U16, UPTR]),
    "zdz_set_station_access_state": (I32, [U16, I32]),
    "zdz_get_station_model": (I32, [U16, TEXT, U32, P(U32)]),
    "zdz_get_station_stored": (I32, [U16, P(Rect), P(I32)]),
    "zdz_get_station_ids": (I32, [P(U16), U32, P(U32)]),
    "zdz_add_module": (I32, [U16, U16, TEXT, U32, U16, ADDRESS]),
    "zdz_set_module_data_cntl_id": (I32, [U16, U16, U16]),
    "zdz_set_module_flags": (I32, [U16, U16, U8]),
    "zdz_set_module_event_id": (I32, [U16, U16, U32]),
    "zdz_set_module_tree_item": (I32, [U16, U16, UPTR]),
    "zdz_set_module_scaling": (I32, [U16, U16, U8, P(ChnlInf), U32]),
    "zdz_get_module_ids": (I32, [U16, P(U16), U32, P(U32)]),
    "zdz_get_module_product_name": (I32, [U16, U16, TEXT, U32, P(U32)]),
    "zdz_get_module_product_word": (I32, [U16, U16, P(U32)]),
    "zdz_get_module_stored": (I32, [U16, U16, P(I32), P(I32), P(U8), P(I32)]),
    "zdz_get_module_act_on_trig_info": (I32, [U16, U16, P(ActOnTrigInfo)]),
    "zdz_update_data_base_ex": (I32, [TEXT, U16, TEXT, U32, P(U32)]),
    "zdz_update_data_base": (I32, [U16]),
    "zdz_reset_act_on_trig_database": (I32, [U16]),
    "zdz_find_station": (I32, [U16]),
    "zdz_find_station_by_name": (I32, [TEXT, P(U16)]),
    "zdz_find_station_by_list_index": (I32, [I32, P(U16)]),
    "zdz_find_station_by_tree_item": (I32, [UPTR, P(U16)]),
    "zdz_find_module": (I32, [U16, U16]),
    "zdz_find_module_by_tree_item": (I32, [UPTR, P(U16), P(U16)]),
    "zdz_is_same_station_name": (I32, [TEXT, U16, P(I32)]),
    "zdz_get_max_slot": (I32, [U16, P(U8)]),
    "zdz_is_exist_module": (I32, [U16, U16, P(I32)]),
    "zdz_get_connect_status": (I32, [U16, U16, P(U8)]),
    "zdz_check_master": (I32, [U16, U16, P(I32)]),
    "zdz_check_term": (I32, [U16, U16, P(I32)]),
    "zdz_search_master": (I32, [U16, U16, P(U8)]),
    "zdz_get_connect_num": (I32, [U16, U16, P(U16)]),
    "zdz_get_connect_no": (I32, [U16, U16, P(U16)]),
    "zdz_get_acq_channel": (I32, [U16, U16, P(U16)]),
    "zdz_get_product_name": (I32, [U16, U16, TEXT, U32, P(U32)]),
    "zdz_get_product_name_by_code": (I32, [U32, TEXT, U32, P(U32)]),
    "zdz_is_save_on_trig_enable": (I32, [U16, U16, P(I32)]),
    "zdz_get_gui_simple_mode": (I32, [U16, U16, P(U8)]),
    "zdz_get_chan_scale_inf": (I32, [U16, U16, U16, U16, P(ChnlInf)]),
    "zdz_is_scaling_enable": (I32, [U16, U16, P(I32)]),
    "zdz_get_scaling_status": (I32, [U16, U16, P(I32)]),
    "zdz_gui_query": (I32, [U16, U16, U16, ADDRESS, U32, P(U32)]),
    "zdz_gui_get_array": (I32, [U16, U16, U16, U8, ADDRESS, U32, P(U32), P(U16), P(U32)]),
    "zdz_setting_query_pointer": (I32, [U16, U16, U16, ADDRESS, U32, P(U32), P(U16), P(U32)]),
    "zdz_help_query_pointer": (I32, [U16, U16, ADDRESS, U32, P(U32), P(U16), P(U32), P(U16)]),
    "zdz_get_seq_table": (I32, [U16, U16, ADDRESS, U32, P(U32)]),
    "zdz_get_seq_mode": (I32, [U16, U16, P(U16)]),
    "zdz_sync_exec": (I32, [U16, U16, U16, ADDRESS, U16, U32]),
    "zdz_get_frontend_module": (I32, [U16, U16, P(ADDRESS)]),
    "zdz_gui_get_station_name": (I32, [U16, TEXT, U32, P(U32)]),
    "zdz_gui_get_module_name": (I32, [U16, U16, TEXT, U32, P(U32)]),
    "zdz_get_wave_info": (I32, [U16, U16, U16, I32, I32, P(WaveInf), U32, P(U16), U32]),
    "zdz_get_acq_info": (I32, [U16, U16, U16, I32, I32, P(AcqDataInfo), U32, P(U16), U32]),
    "zdz_get_acq_data_ex": (I32, [U16, U16, U16, I32, I32, I32, I32, U32, U16, ADDRESS, U32, P(U16), P(U32), P(U32), U32]),
    "zdz_get_current_data": (I32, [U16, U16, I16, ADDRESS, U32, P(U32), P(U16), U32]),
    "zdz_set_scale_tbl": (I32, [U16, U16, U16, P(ChnlInf), U16, U8, U32]),
    "zdz_regist_frontend_used_module": (I32, [U16, U16, U16]),
    "zdz_is_use_front_end": (I32, [U16, U16, P(I32), P(U16)]),
    "zdz_is_use_front_end_by": (I32, [U16, U16, U16, P(I32)]),
    "zdz_is_use_front_end_and_run": (I32, [U16, U16, P(I32)]),
    "zdz_stop_viewer": (I32, [U16, U16]),
    "zdz_exit_front_end": (I32, [U16, U16]),
    "zdz_exit_multi_module": (I32, [U16, U16]),
    "zdz_is_access_enable": (I32, [U16, P(I32)]),
    "zdz_is_release_enable": (I32, [U16, P(I32)]),
    "zdz_add_gui_filter": (I32, [U16, U16, U16, U16]),
    "zdz_add_named_gui_filter": (I32, [U16, U16, TEXT, U16]),
    "zdz_remove_gui_filter": (I32, [U16, U16, U16]),
    "zdz_remove_named_gui_filter": (I32, [U16, U16, TEXT]),
    "zdz_remove_all_gui_filter": (I32, [U16, U16]),
    "zdz_get_gui_filter": (I32, [U16, U16, U16, P(U16)]),
    "zdz_get_named_gui_filter": (I32, [U16, U16, TEXT, P(U16)]),
    "zdz_zoc_init": (I32, []),
    "zdz_zoc_get_product_id": (I32, [U16, U16, P(U32)]),
    "zdz_zoc_get_unit_str": (I32, [U16, TEXT, U32, P(U32)]),
    "zdz_zoc_get_unit_str_ex": (I32, [U16, TEXT, TEXT, TEXT, U32, P(U32)]),
    "zdz_zoc_set_channel_wave_info": (I32, [P(WaveInf), P(ChWaveInfo)]),
    "zdz_zoc_exec_module_test": (I32, [U16, U16, U16, P(U16)]),
    "zdz_zoc_get_front_end1": (I32, [U16, U16, P(ADDRESS)]),
    "zdz_zoc_get_front_end2": (I32, [I32, U16, P(ADDRESS)]),
    "zdz_zoc_mote_sync_exec": (I32, [U16, U16, U16]),
    "zdz_zoc_mote_sync_exec2": (I32, [U16, U16, U16, ADDRESS, U16, U32]),
    "zdz_zoc_mote_setting_query": (I32, [U16, U16, U16, ADDRESS, U32, P(U16), P(U32)]),
    "zdz_zoc_start_button": (I32, [U16, U16]),
    "zdz_zoc_stop_button": (I32, [U16, U16]),
    "zdz_zoc_update_start_led": (I32, [U16, U16, U16]),
    "zdz_zoc_get_file_num_in_save_mode": (I32, [U16, U16, P(U32)]),
    "zdz_zoc_get_file_start_no_in_save_mode": (I32, [U16, U16, P(U32)]),
    "zdz_zo_set_cg_class": (I32, [U32]),
    "zdz_zo_get_cg_class": (I32, [P(U32)]),
    "zdz_convert_term": (I32, [TEXT, TEXT, U32, P(U32)]),
    "zdz_reverse_term": (I32, [TEXT, TEXT, U32, P(U32)]),
    "zdz_get_profile_string": (I32, [TEXT, TEXT, TEXT, TEXT, U32, P(U32)]),
    "zdz_write_profile_string": (I32, [TEXT, TEXT, TEXT, TEXT]),
    "zdz_get_last_profile_cause": (I32, [P(I32)]),
    "zdz_read_profile_file": (I32, [TEXT, TEXT, U32, P(U32)]),
    "zdz_profile_sections": (I32, [TEXT, TEXT, U32, P(U32)]),
    "zdz_profile_keys": (I32, [TEXT, TEXT, TEXT, U32, P(U32)]),
    "zdz_settings_file_open": (I32, [TEXT, P(HANDLE)]),
    "zdz_read_string_ex": (I32, [HANDLE, TEXT, U32, P(U32)]),
    "zdz_settings_file_close": (I32, [HANDLE]),
    "zdz_read_window_placement": (I32, [P(WindowPlacementRecord)]),
    "zdz_read_window_placement_file": (I32, [P(WindowPlacementRecord), TEXT]),
    "zdz_write_window_placement": (I32, [P(WindowPlacementRecord), TEXT]),
    "zdz_read_window_placement_ex": (I32, [P(WindowPlacementRecord), U16, I32]),
    "zdz_read_window_placement_ex_file": (I32, [P(WindowPlacementRecord), U16, I32, TEXT]),
    "zdz_write_window_placement_ex": (I32, [P(WindowPlacementRecord), U16, I32, TEXT]),
    "zdz_get_module_backup_inf": (I32, [U16, U16, TEXT, U32, P(U32)]),
    "zdz_get_module_backup_inf_file": (I32, [U16, U16, TEXT, TEXT, U32, P(U32)]),
    "zdz_get_station_backup_inf": (I32, [U16, TEXT, TEXT, U32, P(U32)]),
    "zdz_get_install_directory": (I32, [TEXT, TEXT, U32, P(U32)]),
    "zdz_get_display_property": (I32, [P(I32), P(I32), P(I32), P(Rect)]),
    "zdz_viewer_create": (I32, [U16, P(HANDLE)]),
    "zdz_viewer_release": (I32, [HANDLE]),
    "zdz_viewer_from_text": (I32, [TEXT, P(HANDLE)]),
    "zdz_viewer_to_text": (I32, [HANDLE, TEXT, U32, P(U32)]),
    "zdz_viewer_group_from_text": (I32, [HANDLE, TEXT]),
    "zdz_viewer_group_to_text": (I32, [HANDLE, U16, TEXT, U32, P(U32)]),
    "zdz_viewer_lookup": (I32, [U16, U16, P(HANDLE)]),
    "zdz_viewer_lookup_file": (I32, [U16, U16, TEXT, P(HANDLE)]),
    "zdz_viewer_keyword": (I32, [U32, P(TEXT), P(U32)]),
    "zdz_viewer_get": (I32, [HANDLE, TEXT, I32, TEXT, U32, P(U32)]),
    "zdz_viewer_set": (I32, [HANDLE, TEXT, I32, TEXT]),
    "zdz_decode_packet": (I32, [ADDRESS, U32, I32, TEXT, U32, P(U32)]),
    "zdz_handler_name": (I32, [I32, P(TEXT)]),
    "zdz_interpreter_create": (I32, [P(PacketHandler), U32, ADDRESS, P(HANDLE)]),
    "zdz_interpret": (I32, [HANDLE, P(U8), U32]),
    "zdz_interpreter_release": (I32, [HANDLE]),
}

# The simulation's C interface, in the simulation library.
SIMULATION_SIGNATURES: dict[str, tuple[Any, list[Any]]] = {
    "zdz_sim_load_virtual_stations": (I32, [TEXT, TEXT, U32, P(U32)]),
    "zdz_sim_release_virtual_stations": (I32, []),
    "zdz_sim_add_receiver": (I32, [SimReceiver, ADDRESS, P(U32)]),
    "zdz_sim_remove_receiver": (I32, [U32]),
    "zdz_sim_read_announcement": (I32, [P(U8), U32, P(U16), P(U16), P(U32), P(U32)]),
    "zdz_sim_wait_for_acquisition": (I32, [U16, U16, U32, U32, P(U32), P(U32)]),
    "zdz_sim_set_stepped_clock": (I32, [I32]),
    "zdz_sim_advance": (I32, [DOUBLE]),
}


def bind(library: ctypes.CDLL, signatures: dict[str, tuple[Any, list[Any]]]) -> list[str]:
    """Gives each function of library its declared result and argument types; the names of those
    the library lacks."""
    missing = []
    for name, (result, arguments) in signatures.items():
        try:
            function = getattr(library, name)
        except AttributeError:
            missing.append(name)
            continue
        function.restype = result
        function.argtypes = arguments
    return missing
