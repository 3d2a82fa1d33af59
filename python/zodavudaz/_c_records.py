"""The records and callback types of the C interface, laid out as its header declares them."""

from __future__ import annotations

import ctypes
from typing import Any
from ctypes import c_char, c_double, c_int32, c_uint8, c_uint16, c_uint32, c_void_p


class Rect(ctypes.Structure):
    """zdz_rect: four signed coordinates."""

    _fields_ = [("left", c_int32), ("top", c_int32), ("right", c_int32), ("bottom", c_int32)]


class WindowPlacementRecord(ctypes.Structure):
    """zdz_window_placement: a window's placement, 44 bytes."""

    _fields_ = [
        ("length", c_uint32),
        ("flags", c_uint32),
        ("show_cmd", c_uint32),
        ("min_x", c_int32),
        ("min_y", c_int32),
        ("max_x", c_int32),
        ("max_y", c_int32),
        ("normal", Rect),
    ]


class ChnlInf(ctypes.Structure):
    """zdz_chnlinf: a channel scaling record of 96 bytes."""

    _fields_ = [("bytes", c_uint8 * 96)]


class WaveInf(ctypes.Structure):
    """zdz_waveinf: the 128-byte wave information a module sends about one channel."""

    _fields_ = [
        ("reserved0", c_uint32),
        ("word_a", c_uint16),
        ("word_b", c_uint16),
        ("data_type", c_uint8),
        ("byte_c", c_uint8),
        ("byte_d", c_uint8),
        ("reserved11", c_uint8),
        ("point_num", c_uint32),
        ("dword_e", c_uint32),
        ("dword_f", c_uint32),
        ("dword_g", c_uint32),
        ("dword_h", c_uint32),
        ("dword_i", c_uint32),
        ("dword_j", c_uint32),
        ("value0", c_uint8 * 8),
        ("value1", c_uint8 * 8),
        ("value2", c_uint8 * 8),
        ("dword_k", c_uint32),
        ("reserved68", c_uint32),
        ("value3", c_uint8 * 8),
        ("value4", c_uint8 * 8),
        ("dword_l", c_uint32),
        ("word_m", c_uint16),
        ("second_unit_code", c_uint16),
        ("dword_n", c_uint32),
        ("dword_o", c_uint32),
        ("dword_p", c_uint32),
        ("dword_q", c_uint32),
        ("unit_code", c_uint16),
        ("reserved114", c_uint16),
        ("unit_text1", c_char * 4),
        ("unit_text2", c_char * 4),
        ("time_stamp", c_uint32),
    ]


class AcqDataInfo(ctypes.Structure):
    """zdz_acq_data_info: the library's 104-byte acquisition information record."""

    _fields_ = [
        ("word_a", c_uint16),
        ("data_type", c_uint16),
        ("word_b", c_uint16),
        ("byte_c", c_uint16),
        ("byte_d", c_uint16),
        ("word_m", c_uint16),
        ("point_num", c_uint32),
        ("dword_k", c_uint32),
        ("dword_l", c_uint32),
        ("dword_e_to_j", c_uint32 * 6),
        ("dword_n_to_q", c_uint32 * 4),
        ("values", c_double * 5),
    ]


class ActOnTrigInfo(ctypes.Structure):
    """zdz_act_on_trig_info: a module's save-on-trigger settings, 412 bytes."""

    _fields_ = [
        ("reserved0", c_uint8),
        ("trig_setting1", c_uint8),
        ("trig_setting2", c_uint8),
        ("trig_setting3", c_uint8),
        ("trig_setting4", c_uint8),
        ("trig_setting5", c_uint8),
        ("trig_setting6", c_uint8),
        ("trig_setting7", c_uint8),
        ("trig_setting8", c_uint8),
        ("reserved9", c_uint8 * 7),
        ("trig_value", c_int32),
        ("file_num", c_int32),
        ("file_start_no", c_int32),
        ("save_directory", c_char * 256),
        ("save_file_name", c_char * 128),
    ]


class ChWaveInfo(ctypes.Structure):
    """zdz_ch_wave_info: one channel's wave information as the control functions fill it."""

    _fields_ = [
        ("channel", c_uint16),
        ("data_type", c_uint16),
        ("point_num", c_uint32),
        ("byte_c", c_uint16),
        ("byte_d", c_uint16),
        ("reserved12", c_uint32),
        ("interval", c_double),
        ("span", c_double),
        ("block", c_uint32 * 4),
        ("values", c_double * 5),
        ("name", c_char * 16),
        ("unit", c_char * 16),
        ("second_unit", c_char * 16),
        ("date", c_char * 16),
        ("time", c_char * 16),
    ]


# The callbacks the library calls: a packet handler, and the body of zdz_call_locked.
PacketHandler = ctypes.CFUNCTYPE(c_int32, c_void_p, c_int32, ctypes.POINTER(c_uint8), c_uint32)
LockedCall = ctypes.CFUNCTYPE(c_int32, c_void_p)
# The simulation's receiver of announcements.
SimReceiver = ctypes.CFUNCTYPE(None, c_void_p, ctypes.POINTER(c_uint8), c_uint32)

# The header's record names, for the test that holds the two in step.
RECORDS: dict[str, type[ctypes.Structure]] = {
    "zdz_rect": Rect,
    "zdz_window_placement": WindowPlacementRecord,
    "zdz_chnlinf": ChnlInf,
    "zdz_waveinf": WaveInf,
    "zdz_acq_data_info": AcqDataInfo,
    "zdz_act_on_trig_info": ActOnTrigInfo,
    "zdz_ch_wave_info": ChWaveInfo,
}
CALLBACKS: dict[str, Any] = {"zdz_packet_handler": PacketHandler, "zdz_sim_receiver": SimReceiver}
