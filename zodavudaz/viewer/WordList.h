// The words of one statement of a viewer settings line.
#ifndef ZODAVUDAZ_VIEWER_WORDLIST_H
#define ZODAVUDAZ_VIEWER_WORDLIST_H

#include <string_view>

/// Walks the maximal runs of bytes that are not blank, tab, CR, LF, vertical tab or form feed
/// (byte 14 is not white space). Copies walk independently.
class WordList {
public:
  explicit WordList(std::string_view text) noexcept : Rest(text) {}

  /// The next word, or false at the end.
  bool Next(std::string_view& word) noexcept {
    SkipWhiteSpace();
    if (Rest.empty())
      return false;
    std::size_t length = 0;
    while (length < Rest.size() && !IsWhiteSpace(Rest[length]))
      ++length;
    word = Rest.substr(0, length);
    Rest.remove_prefix(length);
    return true;
  }

  /// How many words are left.
  unsigned Count() const noexcept {
    WordList walker(*this);
    unsigned count = 0;
    for (std::string_view word; walker.Next(word);)
      ++count;
    return count;
  }

  static bool IsWhiteSpace(char ch) noexcept { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }

private:
  void SkipWhiteSpace() noexcept {
    while (!Rest.empty() && IsWhiteSpace(Rest.front()))
      Rest.remove_prefix(1);
  }

  std::string_view Rest;
};

#endif
