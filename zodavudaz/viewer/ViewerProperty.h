// The viewer display-settings record, its creation and its release.
#ifndef ZODAVUDAZ_VIEWER_VIEWERPROPERTY_H
#define ZODAVUDAZ_VIEWER_VIEWERPROPERTY_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>
#include <zodavudaz/viewer/GrChannel.h>

#include <cstddef>

/// Width of a group name and of a math label; of a math unit; of a math expression.
constexpr std::size_t MathLabelWidth = 32;
constexpr std::size_t MathUnitWidth = 16;
constexpr std::size_t MathExpWidth = 64;
constexpr std::size_t GrNameWidth = 32;
/// Number of Const values.
constexpr std::size_t ConstCount = 10;

/// The display settings of one viewer (280 bytes). Every pointer is a block of the record's own,
/// allocated by the library and released with ReleaseViewerProperty; per-channel arrays hold
/// ChannelCapacity elements, GrName GrNum names and GrChInfo GrNum x GrChNum entries (group-major).
struct ViewerProperty {
  /// Channels written and read for every per-channel array (never more than ChannelCapacity).
  WORD ChannelNumber;
  WORD MathChNum;
  WORD StationID;
  WORD ModuleID;
  WORD GrNum;
  WORD GrChNum;
  WORD CurrentGr;
  WORD GrAssignNum;
  BYTE GridType;
  BYTE Interpolation;
  BYTE ReadoutType;
  BYTE Accumulation;
  BYTE CursorType;
  BYTE Split;
  BYTE TyXy;
  BYTE DispType;
  BYTE AllItem;
  BYTE Label;
  BYTE EnableInfo;
  BYTE ToolBar;
  BYTE TimeFmt;
  BYTE AverageType;
  BYTE FFTPoint;
  BYTE FFTWindow;
  BYTE* FilterType; // 2
  BYTE* FilterBand; // 2
  WORD XyX;
  WORD* XyY; // 4
  DWORD MeasureItem;
  int AverageNum;
  int AveExpWeight;
  int* FilterCut1; // 2
  int* FilterCut2; // 2
  int BottomHeight;
  double SplitRate;
  double TimeWidth;
  double HCursor1;
  double HCursor2;
  double VCursor1;
  double VCursor2;
  int Left;
  int Top;
  int Right;
  int Bottom;
  /// The channel count the per-channel arrays were created for.
  WORD ChannelCapacity;
  BYTE Reserved[62];
  BYTE* Channel;
  BYTE* Cursor;
  BYTE* Average;
  double* Offset;
  BYTE* ScaleEffect;
  double* ScaleMin;
  double* ScaleMax;
  double* Const; // ConstCount
  char (*MathLabel)[MathLabelWidth];
  char (*MathUnit)[MathUnitWidth];
  char (*MathExp)[MathExpWidth];
  /// Zero-terminated, or null.
  char* CurrentPath;
  BYTE CurrentPlane;
  WORD ColorArrayNum;
  /// ColorArrayNum colours, or null.
  DWORD* ColorArray;
  /// Zero-terminated, or null.
  char* CustomToolBar;
  BYTE CvWnd;
  BYTE* CurrentValue;
  BYTE CVrate;
  BYTE LoadStatus;
  WORD ChCopyStatus;
  /// GrNum names, or null.
  char (*GrName)[GrNameWidth];
  /// GrNum x GrChNum entries, or null.
  GrChannel* GrChInfo;
};
static_assert(sizeof(ViewerProperty) == PerBuild(280, 392));
static_assert(offsetof(ViewerProperty, GrNum) == 8);
static_assert(offsetof(ViewerProperty, GridType) == 16);
static_assert(offsetof(ViewerProperty, FFTWindow) == 31);
static_assert(offsetof(ViewerProperty, FilterType) == 32);
static_assert(offsetof(ViewerProperty, XyX) == PerBuild(40, 48));
static_assert(offsetof(ViewerProperty, XyY) == PerBuild(44, 56));
static_assert(offsetof(ViewerProperty, MeasureItem) == PerBuild(48, 64));
static_assert(offsetof(ViewerProperty, BottomHeight) == PerBuild(68, 96));
static_assert(offsetof(ViewerProperty, SplitRate) == PerBuild(72, 104));
static_assert(offsetof(ViewerProperty, VCursor2) == PerBuild(112, 144));
static_assert(offsetof(ViewerProperty, Left) == PerBuild(120, 152));
static_assert(offsetof(ViewerProperty, Bottom) == PerBuild(132, 164));
static_assert(offsetof(ViewerProperty, ChannelCapacity) == PerBuild(136, 168));
static_assert(offsetof(ViewerProperty, Channel) == PerBuild(200, 232));
static_assert(offsetof(ViewerProperty, Const) == PerBuild(228, 288));
static_assert(offsetof(ViewerProperty, MathExp) == PerBuild(240, 312));
static_assert(offsetof(ViewerProperty, CurrentPath) == PerBuild(244, 320));
static_assert(offsetof(ViewerProperty, CurrentPlane) == PerBuild(248, 328));
static_assert(offsetof(ViewerProperty, ColorArrayNum) == PerBuild(250, 330));
static_assert(offsetof(ViewerProperty, ColorArray) == PerBuild(252, 336));
static_assert(offsetof(ViewerProperty, CustomToolBar) == PerBuild(256, 344));
static_assert(offsetof(ViewerProperty, CvWnd) == PerBuild(260, 352));
static_assert(offsetof(ViewerProperty, CurrentValue) == PerBuild(264, 360));
static_assert(offsetof(ViewerProperty, CVrate) == PerBuild(268, 368));
static_assert(offsetof(ViewerProperty, ChCopyStatus) == PerBuild(270, 370));
static_assert(offsetof(ViewerProperty, GrName) == PerBuild(272, 376));
static_assert(offsetof(ViewerProperty, GrChInfo) == PerBuild(276, 384));

/// A new record for channelCount channels with the display defaults, ChannelNumber 0 and no
/// texts, colours or groups; null for 0 channels or when a block cannot be allocated. The caller
/// releases it with ReleaseViewerProperty.
ZODAVUDAZ_EXPORT ViewerProperty* CreateViewerProperty(WORD channelCount) noexcept;
/// Frees the record and every block it points to; a null record is ignored.
ZODAVUDAZ_EXPORT void ReleaseViewerProperty(ViewerProperty* record) noexcept;
/// The record's GrNum; 0 for a null record.
ZODAVUDAZ_EXPORT WORD GetGrNum(const ViewerProperty* record) noexcept;

#endif
