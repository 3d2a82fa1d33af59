// The keyword tables that drive the text form of viewer properties.
#ifndef ZODAVUDAZ_VIEWER_VIEWERPROPERTYTABLE_H
#define ZODAVUDAZ_VIEWER_VIEWERPROPERTYTABLE_H

#include <zodavudaz/viewer/StatementWriter.h>
#include <zodavudaz/viewer/ViewerProperty.h>
#include <zodavudaz/viewer/WordList.h>

#include <cstddef>
#include <string_view>

/// Stores up to limit of the values into the elements at data.
using ViewerPropertyRead = void (*)(void* data, WordList values, unsigned limit);
/// Appends the statement of count elements at data: nothing for count 0.
using ViewerPropertyWrite = void (*)(const void* data, const char* keyword, unsigned count, StatementWriter& out);

/// Where the number of a row's values comes from.
enum class RowShape {
  Fixed,      ///< Count values (a field for 1, an array otherwise).
  PerChannel, ///< ChannelNumber values (Count 0).
  Text,       ///< One allocated zero-terminated text (Count 0).
  Colors,     ///< ColorArrayNum values of ColorArray (Count 0).
};

/// How a value is written: " %d", " 0x%X", " %e" (or " NAN") or a text with byte 14 for blanks.
enum class ValueForm { Decimal, Hex, Double, Text };

/// One keyword of the record text. Data is where the values live for the record last bound.
struct ViewerPropertyRow {
  const char* Keyword;
  ViewerPropertyRead Read;
  /// Null for a row that is read but never written.
  ViewerPropertyWrite Write;
  unsigned Count;
  void* Data;
  RowShape Shape;
  /// Offset in ViewerProperty of the field, or of the pointer to the row's array.
  std::size_t FieldOffset;
  /// The write routine of the row's kind, also where the record text leaves the row out: what its
  /// statement would be.
  ViewerPropertyWrite Format;
  ValueForm Form;
};

/// Number of keyword rows; ViewerPropertyTable[ViewerPropertyRowCount] has a null keyword.
constexpr int ViewerPropertyRowCount = 64;
/// Index of "ChannelNumber", the statement that every record text starts with.
constexpr int ChannelNumberRow = 0;

/// The rows in the order of the statements of a written record text. Shared and rebound by
/// every conversion: conversions must not run in two threads at once.
extern ViewerPropertyRow ViewerPropertyTable[ViewerPropertyRowCount + 1];

/// "Group", then the six column keywords of a group text in GrChannel field order.
extern const char* const GroupKeywords[7];
/// The form of the group name and of each column's values, as GroupKeywords.
extern const ValueForm GroupKeywordForms[7];

/// Points every row of ViewerPropertyTable at the field or array of record. Writers only read
/// through the addresses.
void BindViewerPropertyTable(const ViewerProperty& record) noexcept;
/// Points row at its field or array of record (after the record's array was replaced).
void BindViewerPropertyRow(ViewerPropertyRow& row, const ViewerProperty& record) noexcept;
/// The row whose keyword equals keyword exactly, or null.
ViewerPropertyRow* FindViewerPropertyRow(std::string_view keyword) noexcept;

#endif
