// The search of a settings image for the lines that begin with a section header.
#ifndef ZODAVUDAZ_SETTINGS_HEADERSEARCH_H
#define ZODAVUDAZ_SETTINGS_HEADERSEARCH_H

#include <cstddef>
#include <string_view>

/// Finds the lines of text whose first bytes after their blanks (spaces and tabs) are wanted, a
/// header or the start of one: "[" and the name, which holds no line feed. It scans for the byte
/// of wanted that is rarest in a sample of text, such as a letter of a station's name, and looks
/// only at the start of each line where that byte occurs, once per line: a search costs time
/// linear in the text's size, whatever wanted is and however often it occurs inside lines.
class HeaderSearch {
public:
  /// firstLineBegin is where the text of the first line begins, past a byte-order mark.
  HeaderSearch(std::string_view text, std::string_view wanted, std::size_t firstLineBegin = 0) noexcept;

  /// The first position at or after from where a line begins with wanted after its blanks; npos
  /// when there is none, and always for a wanted that is empty or holds a line feed.
  std::size_t FindFrom(std::size_t from) const noexcept;

  static constexpr std::size_t npos = std::string_view::npos;

private:
  /// The index in Wanted of its byte least frequent in the start of Text.
  std::size_t RarestByteIndex() const noexcept;
  /// Where the line that begins at lineBegin has its first byte after its blanks.
  std::size_t TextBeginOf(std::size_t lineBegin) const noexcept;

  std::string_view Text;
  std::string_view Wanted;
  std::size_t FirstLineBegin;
  std::size_t Anchor = 0;
};

#endif
