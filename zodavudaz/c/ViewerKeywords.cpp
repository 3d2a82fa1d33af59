// Every keyword of a viewer settings record read and set through the C interface, as the text its
// statement carries.
#include <zodavudaz/c/CallerBuffers.h>
#include <zodavudaz/c/ViewerHandles.h>
#include <zodavudaz/viewer/StatementWriter.h>
#include <zodavudaz/viewer/ViewerPropertyGroupText.h>
#include <zodavudaz/viewer/ViewerPropertyStatement.h>
#include <zodavudaz/viewer/ViewerPropertyTable.h>
#include <zodavudaz/viewer/WordList.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace {
constexpr int GroupKeywordCount = 7;
constexpr int32_t WholeStatement = -1;
constexpr char StatementEnd = ';';

uint32_t FormFlags(ValueForm form) noexcept {
  switch (form) {
  case ValueForm::Hex: return ZDZ_VIEWER_HEX;
  case ValueForm::Double: return ZDZ_VIEWER_DOUBLE;
  case ValueForm::Text: return ZDZ_VIEWER_TEXT;
  default: return ZDZ_VIEWER_DECIMAL;
  }
}

/// The position of a group keyword in GroupKeywords, or -1.
int GroupKeywordOf(const char* keyword) noexcept {
  for (int position = 0; position < GroupKeywordCount; ++position)
    if (std::strcmp(keyword, GroupKeywords[position]) == 0)
      return position;
  return -1;
}

std::vector<std::string_view> WordsOf(std::string_view text) {
  std::vector<std::string_view> words;
  WordList list(text);
  for (std::string_view word; list.Next(word);)
    words.push_back(word);
  return words;
}

std::string Joined(const std::vector<std::string_view>& words) {
  std::string text;
  for (std::string_view word : words)
    text.append(text.empty() ? "" : " ").append(word);
  return text;
}

/// The values of a statement "keyword v1 v2;" (the keyword and ";" taken off); empty for none.
std::string_view ValuesOf(std::string_view statement, std::size_t keywordLength) noexcept {
  if (statement.size() < keywordLength + 2)
    return {};
  return statement.substr(keywordLength + 1, statement.size() - keywordLength - 2);
}

/// How many values the record text writes for row of record (bound).
unsigned WrittenCount(const ViewerPropertyRow& row, const ViewerProperty& record) noexcept {
  if (row.Data == nullptr)
    return 0;
  switch (row.Shape) {
  case RowShape::PerChannel: return std::min(record.ChannelNumber, record.ChannelCapacity);
  case RowShape::Colors: return record.ColorArrayNum;
  default: return row.Count;
  }
}

/// The values the row's statement would carry for record; false when memory runs out.
bool RowValues(const ViewerPropertyRow& row, const ViewerProperty& record, std::string& values) {
  BindViewerPropertyTable(record);
  CString statement;
  StatementWriter out(statement);
  row.Format(row.Data, row.Keyword, WrittenCount(row, record), out);
  if (!out.Finish())
    return false;
  values = ValuesOf({static_cast<LPCTSTR>(statement), static_cast<std::size_t>(statement.GetLength())},
                    std::strlen(row.Keyword));
  return true;
}

/// index is -1, or a channel the per-channel row writes.
bool IsRowIndex(const ViewerPropertyRow& row, const ViewerProperty& record, int32_t index) noexcept {
  if (index == WholeStatement)
    return true;
  return row.Shape == RowShape::PerChannel && index >= 0 && static_cast<unsigned>(index) < WrittenCount(row, record);
}

int32_t NoChannel(const ViewerPropertyRow& row, const ViewerProperty& record, int32_t index) {
  NoteLastError("%s has no value %d: the record holds %u of them (ChannelNumber %u)", row.Keyword,
                static_cast<int>(index), WrittenCount(row, record), unsigned{record.ChannelNumber});
  return ZDZ_E_ARGUMENT;
}

int32_t GetRowValues(const ViewerPropertyRow& row, const ViewerProperty& record, int32_t index, std::string& values) {
  if (!IsRowIndex(row, record, index))
    return NoChannel(row, record, index);
  if (!RowValues(row, record, values))
    return Refused(ZDZ_E_NO_MEMORY);
  if (index != WholeStatement)
    values = std::string(WordsOf(values)[static_cast<std::size_t>(index)]);
  return ZDZ_OK;
}

// The group arrays are sized by these two counts when they are made.
bool SizesGroupArrays(const ViewerPropertyRow& row) noexcept {
  return std::strcmp(row.Keyword, "GrNum") == 0 || std::strcmp(row.Keyword, "GrChNum") == 0;
}

bool HasGroupArrays(const ViewerProperty& record) noexcept {
  return record.GrChInfo != nullptr && record.GrName != nullptr;
}

/// Whether count values fit a per-channel row of record, whose values past ChannelNumber would
/// never be read or written; else notes why not. Other rows drop surplus values as a text does.
bool TakesValues(const ViewerPropertyRow& row, const ViewerProperty& record, unsigned count) {
  if (row.Shape != RowShape::PerChannel || count <= WrittenCount(row, record))
    return true;
  NoteLastError("%s takes one value per channel, %u while ChannelNumber is %u; %u given", row.Keyword,
                WrittenCount(row, record), unsigned{record.ChannelNumber}, count);
  return false;
}

/// Whether a "ChannelNumber" value stays within the channels the record was made for; else notes why.
bool TakesChannelNumber(const ViewerPropertyRow& row, const ViewerProperty& record, std::string_view values) {
  if (&row != &ViewerPropertyTable[ChannelNumberRow])
    return true;
  const unsigned long asked = std::strtoul(std::string(values).c_str(), nullptr, 10);
  if (asked <= record.ChannelCapacity)
    return true;
  NoteLastError("ChannelNumber %lu is more than the %u channels the record was made for", asked,
                unsigned{record.ChannelCapacity});
  return false;
}

int32_t SetRowValues(ViewerPropertyRow& row, ViewerProperty& record, int32_t index, std::string_view text) {
  if (!IsRowIndex(row, record, index))
    return NoChannel(row, record, index);
  if (SizesGroupArrays(row) && HasGroupArrays(record)) {
    NoteLastError("%s sizes the group arrays, which the record already holds", row.Keyword);
    return ZDZ_E_ORDER;
  }
  std::string values(text);
  if (index != WholeStatement) {
    if (WordList(text).Count() != 1)
      return ZDZ_E_ARGUMENT;
    std::string all;
    if (!RowValues(row, record, all))
      return ZDZ_E_NO_MEMORY;
    std::vector<std::string_view> words = WordsOf(all);
    words[static_cast<std::size_t>(index)] = text;
    values = Joined(words);
  }
  BindViewerPropertyTable(record);
  WordList list(values);
  if (!TakesValues(row, record, list.Count()) || !TakesChannelNumber(row, record, values))
    return ZDZ_E_ARGUMENT;
  return StoreViewerPropertyValues(record, row, list, list.Count()) ? ZDZ_OK : ZDZ_E_NO_MEMORY;
}

/// Group group's line as the group writer makes it; false when memory runs out.
bool GroupLine(const ViewerProperty& record, WORD group, std::string& line) {
  CString text;
  if (ViewerProperty2AsciiGr(&record, group, text) != 0)
    return false;
  line.assign(static_cast<LPCTSTR>(text), static_cast<std::size_t>(text.GetLength()));
  return true;
}

int32_t GetGroupValues(const ViewerProperty& record, int column, int32_t group, std::string& values) {
  if (group < 0 || group >= record.GrNum)
    return Refused(ZDZ_E_ARGUMENT);
  if (!HasGroupArrays(record))
    return Refused(ZDZ_E_NOT_FOUND);
  std::string line;
  if (!GroupLine(record, static_cast<WORD>(group), line))
    return Refused(ZDZ_E_NO_MEMORY);
  // The head "Group<n> <name>;", then the columns in GroupKeywords' order, one statement each.
  std::size_t start = 0;
  for (int statement = 0; statement < column; ++statement)
    start = line.find(StatementEnd, start) + 1;
  const std::string_view found(line.data() + start, line.find(StatementEnd, start) + 1 - start);
  const std::size_t lead = column == 0 ? found.find(' ') : std::strlen(GroupKeywords[column]);
  values = std::string(ValuesOf(found, lead));
  return ZDZ_OK;
}

int32_t SetGroupValues(ViewerProperty& record, int column, int32_t group, std::string_view values) {
  if (group < 0 || group >= record.GrNum)
    return Refused(ZDZ_E_ARGUMENT);
  const std::string head = std::string(GroupKeywords[0]) + std::to_string(group + 1) + " ";
  if (column == 0) {
    Ascii2ViewerPropertyGr(&record, (head + std::string(values) + StatementEnd).c_str());
    return HasGroupArrays(record) ? ZDZ_OK : ZDZ_E_NO_MEMORY;
  }
  // A column's line carries a name too; the group keeps its own.
  char name[GrNameWidth] = {};
  if (HasGroupArrays(record))
    std::memcpy(name, record.GrName[group], sizeof name);
  const std::string line = head + "x" + StatementEnd + GroupKeywords[column] + " " + std::string(values) + StatementEnd;
  Ascii2ViewerPropertyGr(&record, line.c_str());
  if (!HasGroupArrays(record))
    return Refused(ZDZ_E_NO_MEMORY);
  std::memcpy(record.GrName[group], name, sizeof name);
  return ZDZ_OK;
}

/// True for values that are one or more words of one statement.
bool IsStatementValues(const char* values) noexcept {
  return values != nullptr && std::strchr(values, StatementEnd) == nullptr && WordList(values).Count() > 0;
}
} // namespace

int32_t zdz_viewer_keyword(uint32_t position, const char** keyword, uint32_t* flags) {
  if (keyword == nullptr)
    return Refused(ZDZ_E_ARGUMENT);
  if (position >= ZDZ_VIEWER_KEYWORD_COUNT)
    return Refused(ZDZ_E_UNKNOWN);
  return GuardedCall([&] {
    if (position < static_cast<uint32_t>(ViewerPropertyRowCount)) {
      const ViewerPropertyRow& row = ViewerPropertyTable[position];
      *keyword = row.Keyword;
      if (flags != nullptr)
        *flags = FormFlags(row.Form) | (row.Shape == RowShape::PerChannel ? ZDZ_VIEWER_PER_CHANNEL : 0u) |
                 (row.Write == nullptr ? ZDZ_VIEWER_NOT_IN_TEXT : 0u);
      return ZDZ_OK;
    }
    const uint32_t group = position - ViewerPropertyRowCount;
    *keyword = GroupKeywords[group];
    if (flags != nullptr)
      *flags = FormFlags(GroupKeywordForms[group]) | ZDZ_VIEWER_PER_GROUP;
    return ZDZ_OK;
  });
}

int32_t zdz_viewer_get(const zdz_viewer* viewer, const char* keyword, int32_t index, char* values, uint32_t capacity,
                       uint32_t* size) {
  if (keyword == nullptr || IsBadBuffer(values, capacity, size))
    return Refused(ZDZ_E_ARGUMENT);
  return OnViewer(viewer, [&](ViewerProperty& record) {
    std::string text;
    int32_t status = ZDZ_E_UNKNOWN;
    if (const ViewerPropertyRow* row = FindViewerPropertyRow(keyword))
      status = GetRowValues(*row, record, index, text);
    else if (const int column = GroupKeywordOf(keyword); column >= 0)
      status = GetGroupValues(record, column, index, text);
    if (status == ZDZ_E_UNKNOWN)
      NoteLastError("no viewer keyword \"%s\"", keyword);
    return status == ZDZ_OK ? PutText(text.data(), text.size(), values, capacity, size) : status;
  });
}

int32_t zdz_viewer_set(zdz_viewer* viewer, const char* keyword, int32_t index, const char* values) {
  if (keyword == nullptr || !IsStatementValues(values))
    return Refused(ZDZ_E_ARGUMENT);
  return OnViewer(viewer, [&](ViewerProperty& record) {
    if (ViewerPropertyRow* row = FindViewerPropertyRow(keyword))
      return SetRowValues(*row, record, index, values);
    if (const int column = GroupKeywordOf(keyword); column >= 0)
      return SetGroupValues(record, column, index, values);
    NoteLastError("no viewer keyword \"%s\"", keyword);
    return ZDZ_E_UNKNOWN;
  });
}
