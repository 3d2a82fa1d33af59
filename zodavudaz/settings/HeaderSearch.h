// The search of a settings image for a section header, scanning for the header's rarest byte.
#ifndef ZODAVUDAZ_SETTINGS_HEADERSEARCH_H
#define ZODAVUDAZ_SETTINGS_HEADERSEARCH_H

#include <cstddef>
#include <string_view>

/// Finds wanted in text. A scan for a header's "[" stops at every section of a large file; the
/// search scans instead for the byte of wanted that is rarest in a sample of text, such as a
/// letter of a station's name, and compares the whole of wanted only there.
class HeaderSearch {
public:
  HeaderSearch(std::string_view text, std::string_view wanted) noexcept;

  /// The first position at or after from where wanted occurs; npos when there is none.
  std::size_t FindFrom(std::size_t from) const noexcept;

  static constexpr std::size_t npos = std::string_view::npos;

private:
  /// The index in Wanted of its byte least frequent in the start of Text.
  std::size_t RarestByteIndex() const noexcept;

  std::string_view Text;
  std::string_view Wanted;
  std::size_t Anchor;
};

#endif
