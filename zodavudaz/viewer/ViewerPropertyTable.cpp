#include <zodavudaz/viewer/ViewerPropertyTable.h>

#include <zodavudaz/viewer/NumberText.h>
#include <zodavudaz/viewer/StoredText.h>

#include <cstdint>
#include <cstring>

namespace {
template <typename Field>
void StoreInteger(Field& field, std::string_view word) noexcept {
  field = static_cast<Field>(ParseDecimal(word)); // truncated to the field width
}

void StoreDouble(double& field, std::string_view word) noexcept { field = ParseStoredDouble(word); }

void StoreHex(DWORD& field, std::string_view word) noexcept { ParseHex(word, field); }

template <std::size_t Width>
void StoreFixedText(char (&field)[Width], std::string_view word) noexcept {
  CopyStoredText(word, field, Width);
}

template <typename Field>
void AppendInteger(StatementWriter& out, const Field& field) noexcept {
  out.AppendDecimal(static_cast<long>(field));
}

void AppendDouble(StatementWriter& out, const double& field) noexcept { out.AppendDouble(field); }

void AppendHex(StatementWriter& out, const DWORD& field) noexcept { out.AppendHex(field); }

template <std::size_t Width>
void AppendFixedText(StatementWriter& out, const char (&field)[Width]) noexcept {
  out.AppendText(field, Width);
}

template <typename Field, void (*Store)(Field&, std::string_view) noexcept>
void ReadValues(void* data, WordList values, unsigned limit) noexcept {
  Field* elements = static_cast<Field*>(data);
  std::string_view word;
  for (unsigned i = 0; i < limit && values.Next(word); ++i)
    Store(elements[i], word);
}

template <typename Field, void (*Append)(StatementWriter&, const Field&) noexcept>
void WriteValues(const void* data, const char* keyword, unsigned count, StatementWriter& out) noexcept {
  if (count == 0)
    return;
  const Field* elements = static_cast<const Field*>(data);
  out.AppendRaw(keyword);
  for (unsigned i = 0; i < count; ++i)
    Append(out, elements[i]);
  out.AppendRaw(";");
}

// The reader allocates data for the first value and its terminating zero.
void ReadText(void* data, WordList values, unsigned /*count*/) noexcept {
  std::string_view word;
  if (values.Next(word))
    CopyStoredText(word, static_cast<char*>(data), word.size() + 1);
}

void WriteText(const void* data, const char* keyword, unsigned /*count*/, StatementWriter& out) noexcept {
  if (data == nullptr)
    return;
  out.AppendRaw(keyword);
  out.AppendText(static_cast<const char*>(data), SIZE_MAX);
  out.AppendRaw(";");
}

struct ValueKind {
  ViewerPropertyRead Read;
  ViewerPropertyWrite Write;
  ValueForm Form;
  /// False for a row that is read but left out of the written text.
  bool Written = true;
};

template <typename Field, void (*Store)(Field&, std::string_view) noexcept,
          void (*Append)(StatementWriter&, const Field&) noexcept>
constexpr ValueKind Kind(ValueForm form) {
  return {ReadValues<Field, Store>, WriteValues<Field, Append>, form};
}

constexpr ValueKind U16 = Kind<WORD, StoreInteger<WORD>, AppendInteger<WORD>>(ValueForm::Decimal);
constexpr ValueKind U8 = Kind<BYTE, StoreInteger<BYTE>, AppendInteger<BYTE>>(ValueForm::Decimal);
constexpr ValueKind I32 = Kind<int, StoreInteger<int>, AppendInteger<int>>(ValueForm::Decimal);
constexpr ValueKind Double = Kind<double, StoreDouble, AppendDouble>(ValueForm::Double);
constexpr ValueKind Hex32 = Kind<DWORD, StoreHex, AppendHex>(ValueForm::Hex);
template <std::size_t Width>
constexpr ValueKind Str = Kind<char[Width], StoreFixedText<Width>, AppendFixedText<Width>>(ValueForm::Text);
constexpr ValueKind Text{ReadText, WriteText, ValueForm::Text};

constexpr ValueKind ReadOnly(const ValueKind& kind) { return {kind.Read, kind.Write, kind.Form, false}; }

constexpr ViewerPropertyRow Row(const char* keyword, const ValueKind& kind, unsigned count, RowShape shape,
                                std::size_t offset) {
  return {keyword,    kind.Read, kind.Written ? kind.Write : nullptr, count, nullptr, shape, offset,
          kind.Write, kind.Form};
}

constexpr ViewerPropertyRow FieldRow(const char* keyword, const ValueKind& kind, std::size_t offset) {
  return Row(keyword, kind, 1, RowShape::Fixed, offset);
}

constexpr ViewerPropertyRow ArrayRow(const char* keyword, const ValueKind& kind, unsigned count, std::size_t offset) {
  return Row(keyword, kind, count, RowShape::Fixed, offset);
}

constexpr ViewerPropertyRow ChannelRow(const char* keyword, const ValueKind& kind, std::size_t offset) {
  return Row(keyword, kind, 0, RowShape::PerChannel, offset);
}

constexpr ViewerPropertyRow TextRow(const char* keyword, std::size_t offset) {
  return Row(keyword, Text, 0, RowShape::Text, offset);
}

constexpr ViewerPropertyRow ColorRow(const char* keyword, std::size_t offset) {
  return Row(keyword, Hex32, 0, RowShape::Colors, offset);
}

bool HoldsArray(const ViewerPropertyRow& row) noexcept { return row.Shape != RowShape::Fixed || row.Count != 1; }

// Record texts list their statements in table order, so the row after the last one found is
// tried first.
int NextRowHint = 0;
} // namespace

ViewerPropertyRow ViewerPropertyTable[ViewerPropertyRowCount + 1] = {
    FieldRow("ChannelNumber", U16, offsetof(ViewerProperty, ChannelNumber)),
    FieldRow("MathChNum", U16, offsetof(ViewerProperty, MathChNum)),
    FieldRow("GrNum", U16, offsetof(ViewerProperty, GrNum)),
    FieldRow("GrChNum", U16, offsetof(ViewerProperty, GrChNum)),
    FieldRow("CurrentGr", U16, offsetof(ViewerProperty, CurrentGr)),
    FieldRow("GrAssignNum", U16, offsetof(ViewerProperty, GrAssignNum)),
    FieldRow("StationID", U16, offsetof(ViewerProperty, StationID)),
    FieldRow("ModuleID", U16, offsetof(ViewerProperty, ModuleID)),
    FieldRow("GridType", U8, offsetof(ViewerProperty, GridType)),
    FieldRow("Interpolation", U8, offsetof(ViewerProperty, Interpolation)),
    FieldRow("ReadoutType", U8, offsetof(ViewerProperty, ReadoutType)),
    FieldRow("Accumulation", U8, offsetof(ViewerProperty, Accumulation)),
    FieldRow("CursorType", U8, offsetof(ViewerProperty, CursorType)),
    FieldRow("TyXy", U8, offsetof(ViewerProperty, TyXy)),
    FieldRow("Split", U8, offsetof(ViewerProperty, Split)),
    FieldRow("DispType", U8, offsetof(ViewerProperty, DispType)),
    FieldRow("AllItem", U8, offsetof(ViewerProperty, AllItem)),
    FieldRow("Label", U8, offsetof(ViewerProperty, Label)),
    FieldRow("EnableInfo", U8, offsetof(ViewerProperty, EnableInfo)),
    FieldRow("ToolBar", U8, offsetof(ViewerProperty, ToolBar)),
    FieldRow("TimeFmt", U8, offsetof(ViewerProperty, TimeFmt)),
    FieldRow("XyX", U16, offsetof(ViewerProperty, XyX)),
    ArrayRow("XyY", U16, 4, offsetof(ViewerProperty, XyY)),
    FieldRow("MeasureItem", Hex32, offsetof(ViewerProperty, MeasureItem)),
    FieldRow("BottomHeight", I32, offsetof(ViewerProperty, BottomHeight)),
    FieldRow("SplitRate", Double, offsetof(ViewerProperty, SplitRate)),
    FieldRow("TimeWidth", Double, offsetof(ViewerProperty, TimeWidth)),
    FieldRow("HCursor1", Double, offsetof(ViewerProperty, HCursor1)),
    FieldRow("HCursor2", Double, offsetof(ViewerProperty, HCursor2)),
    FieldRow("VCursor1", Double, offsetof(ViewerProperty, VCursor1)),
    FieldRow("VCursor2", Double, offsetof(ViewerProperty, VCursor2)),
    FieldRow("Left", I32, offsetof(ViewerProperty, Left)),
    FieldRow("Top", I32, offsetof(ViewerProperty, Top)),
    FieldRow("Right", I32, offsetof(ViewerProperty, Right)),
    FieldRow("Bottom", I32, offsetof(ViewerProperty, Bottom)),
    ChannelRow("Channel", ReadOnly(U8), offsetof(ViewerProperty, Channel)),
    ChannelRow("Cursor", ReadOnly(U8), offsetof(ViewerProperty, Cursor)),
    ChannelRow("Offset", ReadOnly(Double), offsetof(ViewerProperty, Offset)),
    ChannelRow("ScaleEffect", ReadOnly(U8), offsetof(ViewerProperty, ScaleEffect)),
    ChannelRow("ScaleMin", ReadOnly(Double), offsetof(ViewerProperty, ScaleMin)),
    ChannelRow("ScaleMax", ReadOnly(Double), offsetof(ViewerProperty, ScaleMax)),
    ChannelRow("Average", U8, offsetof(ViewerProperty, Average)),
    ChannelRow("MathLabel", Str<MathLabelWidth>, offsetof(ViewerProperty, MathLabel)),
    ChannelRow("MathUnit", Str<MathUnitWidth>, offsetof(ViewerProperty, MathUnit)),
    ChannelRow("MathExp", Str<MathExpWidth>, offsetof(ViewerProperty, MathExp)),
    ArrayRow("Const", Double, ConstCount, offsetof(ViewerProperty, Const)),
    FieldRow("AverageType", U8, offsetof(ViewerProperty, AverageType)),
    FieldRow("AverageNum", I32, offsetof(ViewerProperty, AverageNum)),
    FieldRow("AveExpWeight", I32, offsetof(ViewerProperty, AveExpWeight)),
    FieldRow("FFTPoint", U8, offsetof(ViewerProperty, FFTPoint)),
    FieldRow("FFTWindow", U8, offsetof(ViewerProperty, FFTWindow)),
    ArrayRow("FilterType", U8, 2, offsetof(ViewerProperty, FilterType)),
    ArrayRow("FilterBand", U8, 2, offsetof(ViewerProperty, FilterBand)),
    ArrayRow("FilterCut1", I32, 2, offsetof(ViewerProperty, FilterCut1)),
    ArrayRow("FilterCut2", I32, 2, offsetof(ViewerProperty, FilterCut2)),
    TextRow("CurrentPath", offsetof(ViewerProperty, CurrentPath)),
    FieldRow("CurrentPlane", U8, offsetof(ViewerProperty, CurrentPlane)),
    ColorRow("ColorArray", offsetof(ViewerProperty, ColorArray)),
    TextRow("CustomToolBar", offsetof(ViewerProperty, CustomToolBar)),
    FieldRow("CvWnd", U8, offsetof(ViewerProperty, CvWnd)),
    ChannelRow("CurrentValue", ReadOnly(U8), offsetof(ViewerProperty, CurrentValue)),
    FieldRow("CVrate", U8, offsetof(ViewerProperty, CVrate)),
    FieldRow("LoadStatus", U8, offsetof(ViewerProperty, LoadStatus)),
    FieldRow("ChCopyStatus", U16, offsetof(ViewerProperty, ChCopyStatus)),
    {},
};

const char* const GroupKeywords[7] = {"Group", "CHID", "CHSTS", "MMIN", "MMAX", "CurrentColor", "OtherColor"};
const ValueForm GroupKeywordForms[7] = {ValueForm::Text,   ValueForm::Decimal, ValueForm::Decimal, ValueForm::Double,
                                        ValueForm::Double, ValueForm::Hex,     ValueForm::Hex};

void BindViewerPropertyRow(ViewerPropertyRow& row, const ViewerProperty& record) noexcept {
  const char* field = reinterpret_cast<const char*>(&record) + row.FieldOffset;
  if (HoldsArray(row))
    std::memcpy(&row.Data, field, sizeof row.Data);
  else
    row.Data = const_cast<char*>(field);
}

void BindViewerPropertyTable(const ViewerProperty& record) noexcept {
  for (int i = 0; i < ViewerPropertyRowCount; ++i)
    BindViewerPropertyRow(ViewerPropertyTable[i], record);
}

ViewerPropertyRow* FindViewerPropertyRow(std::string_view keyword) noexcept {
  for (int tried = 0; tried < ViewerPropertyRowCount; ++tried) {
    const int index = (NextRowHint + tried) % ViewerPropertyRowCount;
    if (keyword == ViewerPropertyTable[index].Keyword) {
      NextRowHint = (index + 1) % ViewerPropertyRowCount;
      return &ViewerPropertyTable[index];
    }
  }
  return nullptr;
}
