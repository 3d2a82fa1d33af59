// The C interface's records of a fixed layout beside the library's, and copies between the two.
#ifndef ZODAVUDAZ_C_RECORDLAYOUTS_H
#define ZODAVUDAZ_C_RECORDLAYOUTS_H

#include <zodavudaz/database/ActOnTrigInfo.h>
#include <zodavudaz/database/CHNLINF.h>
#include <zodavudaz/packets/AcqDataInfo.h>
#include <zodavudaz/packets/WAVEINF.h>
#include <zodavudaz/platform/CRect.h>
#include <zodavudaz/platform/WindowPlacement.h>
#include <zodavudaz/zodavudaz_c.h>

#include <cstddef>
#include <cstring>
#include <type_traits>
#include <utility>

/// Which library record a C record stands for (declarations only, for decltype).
RECT LibraryRecordOf(const zdz_rect&);
WINDOWPLACEMENT LibraryRecordOf(const zdz_window_placement&);
CHNLINF LibraryRecordOf(const zdz_chnlinf&);
WAVEINF LibraryRecordOf(const zdz_waveinf&);
_AcqDataInfo LibraryRecordOf(const zdz_acq_data_info&);
ActOnTrigInfo LibraryRecordOf(const zdz_act_on_trig_info&);
template <typename CRecordT>
using LibraryRecord = decltype(LibraryRecordOf(std::declval<const CRecordT&>()));

/// The library record of a C record, byte for byte.
template <typename CRecordT, typename LibraryT = LibraryRecord<CRecordT>>
LibraryT ToLibrary(const CRecordT& record) noexcept {
  static_assert(sizeof(CRecordT) == sizeof(LibraryT) && std::is_trivially_copyable_v<LibraryT>);
  LibraryT copy;
  std::memcpy(&copy, &record, sizeof copy);
  return copy;
}

/// The C record of a library record, byte for byte.
template <typename CRecordT, typename LibraryT = LibraryRecord<CRecordT>>
CRecordT ToC(const LibraryT& record) noexcept {
  static_assert(sizeof(CRecordT) == sizeof(LibraryT) && std::is_trivially_copyable_v<LibraryT>);
  CRecordT copy;
  std::memcpy(&copy, &record, sizeof copy);
  return copy;
}

// The copies are byte for byte: every field sits where the library's does, in both builds.
static_assert(sizeof(zdz_rect) == 16 && offsetof(zdz_rect, bottom) == offsetof(RECT, bottom));
static_assert(sizeof(zdz_window_placement) == 44);
static_assert(offsetof(zdz_window_placement, show_cmd) == offsetof(WINDOWPLACEMENT, showCmd));
static_assert(offsetof(zdz_window_placement, min_x) == offsetof(WINDOWPLACEMENT, ptMinPosition));
static_assert(offsetof(zdz_window_placement, max_y) == offsetof(WINDOWPLACEMENT, ptMaxPosition) + 4);
static_assert(offsetof(zdz_window_placement, normal) == offsetof(WINDOWPLACEMENT, rcNormalPosition));
static_assert(sizeof(zdz_chnlinf) == 96);
static_assert(sizeof(zdz_waveinf) == 128);
static_assert(offsetof(zdz_waveinf, word_a) == offsetof(WAVEINF, WordA));
static_assert(offsetof(zdz_waveinf, data_type) == offsetof(WAVEINF, DataType));
static_assert(offsetof(zdz_waveinf, point_num) == offsetof(WAVEINF, PointNum));
static_assert(offsetof(zdz_waveinf, dword_e) == offsetof(WAVEINF, DwordE));
static_assert(offsetof(zdz_waveinf, value0) == offsetof(WAVEINF, Value0));
static_assert(offsetof(zdz_waveinf, dword_k) == offsetof(WAVEINF, DwordK));
static_assert(offsetof(zdz_waveinf, value3) == offsetof(WAVEINF, Value3));
static_assert(offsetof(zdz_waveinf, dword_l) == offsetof(WAVEINF, DwordL));
static_assert(offsetof(zdz_waveinf, second_unit_code) == offsetof(WAVEINF, SecondUnitCode));
static_assert(offsetof(zdz_waveinf, dword_q) == offsetof(WAVEINF, DwordQ));
static_assert(offsetof(zdz_waveinf, unit_code) == offsetof(WAVEINF, UnitCode));
static_assert(offsetof(zdz_waveinf, unit_text1) == offsetof(WAVEINF, UnitText1));
static_assert(offsetof(zdz_waveinf, time_stamp) == offsetof(WAVEINF, TimeStamp));
static_assert(sizeof(zdz_acq_data_info) == 104);
static_assert(offsetof(zdz_acq_data_info, word_m) == offsetof(_AcqDataInfo, WordM));
static_assert(offsetof(zdz_acq_data_info, point_num) == offsetof(_AcqDataInfo, PointNum));
static_assert(offsetof(zdz_acq_data_info, dword_e_to_j) == offsetof(_AcqDataInfo, DwordEToJ));
static_assert(offsetof(zdz_acq_data_info, dword_n_to_q) == offsetof(_AcqDataInfo, DwordNToQ));
static_assert(offsetof(zdz_acq_data_info, values) == offsetof(_AcqDataInfo, Values));
static_assert(sizeof(zdz_act_on_trig_info) == 412);
static_assert(offsetof(zdz_act_on_trig_info, trig_setting8) == offsetof(ActOnTrigInfo, TrigSetting8));
static_assert(offsetof(zdz_act_on_trig_info, trig_value) == offsetof(ActOnTrigInfo, TrigValue));
static_assert(offsetof(zdz_act_on_trig_info, file_start_no) == offsetof(ActOnTrigInfo, FileStartNo));
static_assert(offsetof(zdz_act_on_trig_info, save_directory) == offsetof(ActOnTrigInfo, SaveDirectory));
static_assert(offsetof(zdz_act_on_trig_info, save_file_name) == offsetof(ActOnTrigInfo, SaveFileName));
// The C interface's own record, the same in both builds.
static_assert(sizeof(zdz_ch_wave_info) == 168);
static_assert(offsetof(zdz_ch_wave_info, interval) == 16 && offsetof(zdz_ch_wave_info, values) == 48);
static_assert(offsetof(zdz_ch_wave_info, name) == 88 && offsetof(zdz_ch_wave_info, time) == 152);

#endif
