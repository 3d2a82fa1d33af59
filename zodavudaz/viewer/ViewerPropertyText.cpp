#include <zodavudaz/viewer/ViewerPropertyText.h>

#include <zodavudaz/viewer/NumberText.h>
#include <zodavudaz/viewer/ViewerPropertyStatement.h>
#include <zodavudaz/viewer/ViewerPropertyTable.h>

#include <cstring>

namespace {
unsigned PerChannelCount(const ViewerProperty& record) noexcept {
  return record.ChannelNumber < record.ChannelCapacity ? record.ChannelNumber : record.ChannelCapacity;
}

unsigned WrittenCount(const ViewerPropertyRow& row, const ViewerProperty& record) noexcept {
  if (row.Data == nullptr)
    return 0;
  switch (row.Shape) {
  case RowShape::Fixed:
  case RowShape::Text: // the text routines ignore the count
    return row.Count;
  case RowShape::PerChannel: return PerChannelCount(record);
  case RowShape::Colors: return record.ColorArrayNum;
  }
  return 0;
}

// Builds the record statement by statement.
class RecordReader {
public:
  ~RecordReader() { ReleaseViewerProperty(Record); }

  /// Applies one statement (without its ";"); false when the text must be refused.
  bool Apply(std::string_view statement) noexcept {
    WordList values(statement);
    const unsigned wordCount = values.Count();
    if (wordCount < 2)
      return false;
    std::string_view keyword;
    values.Next(keyword);
    const unsigned valueCount = wordCount - 1;
    ViewerPropertyRow* row = FindViewerPropertyRow(keyword);
    if (row == nullptr)
      return true;
    if (Record == nullptr && !Start(*row, values, valueCount))
      return false;
    return StoreViewerPropertyValues(*Record, *row, values, valueCount);
  }

  /// The record built so far, which the caller now owns.
  ViewerProperty* Take() noexcept {
    ViewerProperty* record = Record;
    Record = nullptr;
    return record;
  }

private:
  bool Start(const ViewerPropertyRow& row, WordList values, unsigned valueCount) noexcept {
    std::string_view count;
    if (&row != &ViewerPropertyTable[ChannelNumberRow] || valueCount != 1 || !values.Next(count))
      return false;
    Record = CreateViewerProperty(static_cast<WORD>(ParseDecimal(count)));
    if (Record == nullptr)
      return false;
    BindViewerPropertyTable(*Record);
    return true;
  }

  ViewerProperty* Record = nullptr;
};

// The next statement of rest (up to its ";"); false when no ";" is left.
bool NextStatement(std::string_view& rest, std::string_view& statement) noexcept {
  const std::size_t end = rest.find(';');
  if (end == std::string_view::npos)
    return false;
  statement = rest.substr(0, end);
  rest.remove_prefix(end + 1);
  return true;
}
} // namespace

int ViewerProperty2Ascii(const ViewerProperty* record, CString& text) noexcept {
  StatementWriter out(text);
  if (record == nullptr)
    return 0;
  BindViewerPropertyTable(*record);
  for (int i = 0; i < ViewerPropertyRowCount; ++i) {
    const ViewerPropertyRow& row = ViewerPropertyTable[i];
    if (row.Write != nullptr)
      row.Write(row.Data, row.Keyword, WrittenCount(row, *record), out);
  }
  return out.Finish() ? 0 : 1;
}

ViewerProperty* Ascii2ViewerProperty(CString text) noexcept {
  // The text ends at its first zero byte, as every C-string reader of it sees it.
  std::string_view rest(static_cast<LPCTSTR>(text));
  RecordReader reader;
  for (std::string_view statement; NextStatement(rest, statement);)
    if (!reader.Apply(statement))
      return nullptr;
  return reader.Take();
}
