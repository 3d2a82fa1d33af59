// The stored lists of "label value," entries that the database build reads.
#ifndef ZODAVUDAZ_DATABASE_SETTINGSVALUELIST_H
#define ZODAVUDAZ_DATABASE_SETTINGSVALUELIST_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/CString.h>

/// Takes entries one after another, each cut off at the next comma. When no comma is left, an
/// entry is empty and nothing is consumed, so every later entry is empty as well.
class SettingsValueList {
public:
  explicit SettingsValueList(const CString& text) noexcept : Text(text) {}

  /// The next entry's value (the text after its first blank, or the whole entry without one)
  /// read as a signed decimal number, leading white space skipped; false when it holds none.
  bool NextNumber(LONG& value) noexcept;
  /// The next entry's value text.
  CString NextValueText() noexcept;
  /// Everything after the entries taken so far.
  CString GetRest() const noexcept { return Text.Mid(Position); }

private:
  /// Where the next entry's value lies, from begin to end (its comma); false, consuming nothing,
  /// when no comma is left. Read in place: a list holds dozens of entries.
  bool NextValue(int& begin, int& end) noexcept;

  CString Text;
  int Position = 0;
};

#endif
