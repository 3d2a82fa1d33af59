#include <zodavudaz/viewer/ViewerPropertyGroupText.h>

#include <zodavudaz/platform/BlockAllocator.h>
#include <zodavudaz/viewer/NumberText.h>
#include <zodavudaz/viewer/StatementWriter.h>
#include <zodavudaz/viewer/StoredText.h>
#include <zodavudaz/viewer/ViewerPropertyTable.h>

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {
constexpr int ColumnCount = 6;

struct GroupColumn {
  void (*Store)(GrChannel& entry, std::string_view value) noexcept;
  void (*Append)(StatementWriter& out, const GrChannel& entry) noexcept;
};

// The group text carries infinities as "NAN" too.
void AppendRange(StatementWriter& out, double value) noexcept {
  out.AppendDouble(std::isfinite(value) ? value : StoredNan());
}

// In GrChannel field order, as GroupKeywords[1] to [6].
const GroupColumn GroupColumns[ColumnCount] = {
    {[](GrChannel& entry, std::string_view value) noexcept { entry.CHID = ParseDecimal(value); },
     [](StatementWriter& out, const GrChannel& entry) noexcept { out.AppendDecimal(entry.CHID); }},
    {[](GrChannel& entry, std::string_view value) noexcept { entry.CHSTS = static_cast<BYTE>(ParseDecimal(value)); },
     [](StatementWriter& out, const GrChannel& entry) noexcept { out.AppendDecimal(entry.CHSTS); }},
    {[](GrChannel& entry, std::string_view value) noexcept { entry.MMIN = ParseStoredDouble(value); },
     [](StatementWriter& out, const GrChannel& entry) noexcept { AppendRange(out, entry.MMIN); }},
    {[](GrChannel& entry, std::string_view value) noexcept { entry.MMAX = ParseStoredDouble(value); },
     [](StatementWriter& out, const GrChannel& entry) noexcept { AppendRange(out, entry.MMAX); }},
    {[](GrChannel& entry, std::string_view value) noexcept { ParseHex(value, entry.CurrentColor); },
     [](StatementWriter& out, const GrChannel& entry) noexcept { out.AppendHex(entry.CurrentColor); }},
    {[](GrChannel& entry, std::string_view value) noexcept { ParseHex(value, entry.OtherColor); },
     [](StatementWriter& out, const GrChannel& entry) noexcept { out.AppendHex(entry.OtherColor); }},
};

bool AllocateEntries(ViewerProperty& record) noexcept {
  // Two 16-bit counts times the entry size can ask for more than either build gives.
  const std::uint64_t count = std::uint64_t{record.GrNum} * record.GrChNum;
  if (count * sizeof(GrChannel) > MaxBlockBytes)
    return false;
  GrChannel* entries = static_cast<GrChannel*>(NewBlock(static_cast<std::size_t>(count * sizeof(GrChannel))));
  if (entries == nullptr)
    return false;
  std::memset(entries, 0, static_cast<std::size_t>(count * sizeof(GrChannel)));
  for (std::size_t i = 0; i < count; ++i)
    entries[i] = GrChannel{-1, 0, StoredNan(), StoredNan(), 0, 0};
  record.GrChInfo = entries;
  return true;
}

bool AllocateNames(ViewerProperty& record) noexcept {
  const std::size_t size = std::size_t{record.GrNum} * GrNameWidth;
  void* names = NewBlock(size);
  if (names == nullptr)
    return false;
  std::memset(names, 0, size);
  record.GrName = static_cast<char(*)[GrNameWidth]>(names);
  return true;
}

bool EnsureGroupArrays(ViewerProperty& record) noexcept {
  return (record.GrChInfo != nullptr || AllocateEntries(record)) && (record.GrName != nullptr || AllocateNames(record));
}

void SkipBlanks(std::string_view& text) noexcept {
  while (!text.empty() && text.front() == ' ')
    text.remove_prefix(1);
}

struct GroupHead {
  unsigned Index;
  std::string_view Name;
  std::string_view Columns;
};

// "Group<k> <name>;" with k from 1 to groupCount; false for anything else.
bool ReadGroupHead(std::string_view text, WORD groupCount, GroupHead& head) noexcept {
  const std::string_view prefix = GroupKeywords[0];
  const std::size_t headEnd = text.find(';');
  if (!text.starts_with(prefix) || headEnd == std::string_view::npos)
    return false;
  std::string_view rest = text.substr(prefix.size(), headEnd - prefix.size());
  const std::size_t blank = rest.find(' ');
  if (blank == std::string_view::npos)
    return false;
  const int number = ParseDecimal(rest.substr(0, blank));
  if (number < 1 || number > groupCount)
    return false;
  rest.remove_prefix(blank);
  SkipBlanks(rest);
  head = {static_cast<unsigned>(number - 1), rest, text.substr(headEnd + 1)};
  return true;
}

// Values after the column's keyword, each ended by a blank; the column ends at ";" or with the text.
void ReadColumn(std::string_view columns, int column, GrChannel* entries, WORD channels) noexcept {
  const std::string_view keyword = GroupKeywords[column + 1];
  const std::size_t found = columns.find(keyword);
  if (found == std::string_view::npos)
    return;
  std::string_view rest = columns.substr(found + keyword.size());
  SkipBlanks(rest);
  for (WORD channel = 0; channel < channels && !rest.empty() && rest.front() != ';'; ++channel) {
    const std::string_view value = rest.substr(0, rest.find_first_of(" ;"));
    GroupColumns[column].Store(entries[channel], value);
    rest.remove_prefix(value.size());
    if (!rest.empty() && rest.front() == ' ')
      rest.remove_prefix(1);
  }
}
} // namespace

int ViewerProperty2AsciiGr(const ViewerProperty* record, WORD group, CString& text) noexcept {
  StatementWriter out(text);
  if (record == nullptr || group >= record->GrNum || record->GrChInfo == nullptr || record->GrName == nullptr)
    return 1;
  char number[NumberTextCapacity];
  out.AppendRaw(GroupKeywords[0]);
  out.AppendRaw({number, FormatDecimal(number, group + 1L)});
  out.AppendText(record->GrName[group], GrNameWidth);
  out.AppendRaw(";");
  const GrChannel* entries = record->GrChInfo + std::size_t{group} * record->GrChNum;
  for (int column = 0; column < ColumnCount; ++column) {
    out.AppendRaw(GroupKeywords[column + 1]);
    for (WORD channel = 0; channel < record->GrChNum; ++channel)
      GroupColumns[column].Append(out, entries[channel]);
    out.AppendRaw(";");
  }
  return out.Finish() ? 0 : 1;
}

void Ascii2ViewerPropertyGr(ViewerProperty* record, CString text) noexcept {
  if (record == nullptr || !EnsureGroupArrays(*record))
    return;
  GroupHead head;
  if (!ReadGroupHead(static_cast<LPCTSTR>(text), record->GrNum, head))
    return;
  CopyStoredText(head.Name, record->GrName[head.Index], GrNameWidth);
  GrChannel* entries = record->GrChInfo + std::size_t{head.Index} * record->GrChNum;
  for (int column = 0; column < ColumnCount; ++column)
    ReadColumn(head.Columns, column, entries, record->GrChNum);
}
