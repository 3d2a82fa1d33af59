#include <zodavudaz/settings/HeaderSearch.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace {
// Below this size a plain search costs less than taking the sample.
constexpr std::size_t SampledTextSize = std::size_t{64} * 1024;
constexpr std::size_t SampleSize = 1024;
} // namespace

HeaderSearch::HeaderSearch(std::string_view text, std::string_view wanted, std::size_t firstLineBegin) noexcept
    : Text(text), Wanted(wanted), FirstLineBegin(std::min(firstLineBegin, text.size())) {
  if (Text.size() >= SampledTextSize && Wanted.size() > 1)
    Anchor = RarestByteIndex();
}

std::size_t HeaderSearch::RarestByteIndex() const noexcept {
  std::array<unsigned, 256> counts{};
  for (const char ch : Text.substr(0, SampleSize))
    ++counts[static_cast<unsigned char>(ch)];
  std::size_t rarest = 0;
  for (std::size_t index = 1; index < Wanted.size(); ++index)
    if (counts[static_cast<unsigned char>(Wanted[index])] < counts[static_cast<unsigned char>(Wanted[rarest])])
      rarest = index;
  return rarest;
}

std::size_t HeaderSearch::TextBeginOf(std::size_t lineBegin) const noexcept {
  std::size_t begin = lineBegin == 0 ? FirstLineBegin : lineBegin;
  while (begin < Text.size() && (Text[begin] == ' ' || Text[begin] == '\t'))
    ++begin;
  return begin;
}

std::size_t HeaderSearch::FindFrom(std::size_t from) const noexcept {
  if (Wanted.empty() || from > Text.size() || Wanted.find('\n') != npos)
    return npos;
  // Every byte is looked at a bounded number of times: each step moves past the line it examines,
  // and a comparison at a line's start stops by that line's end, since wanted holds no line feed.
  const std::size_t lastLineFeed = Text.substr(0, from).rfind('\n');
  for (std::size_t scan = lastLineFeed == npos ? 0 : lastLineFeed + 1; Text.size() - scan >= Wanted.size();) {
    // A candidate starts at or after scan and leaves room for wanted.
    const std::size_t candidates = Text.size() - Wanted.size() + 1 - scan;
    const void* hit = std::memchr(Text.data() + scan + Anchor, Wanted[Anchor], candidates);
    if (hit == nullptr)
      return npos;
    const std::size_t anchor = static_cast<std::size_t>(static_cast<const char*>(hit) - Text.data());
    const std::size_t feedBefore = Text.substr(scan, anchor - scan).rfind('\n');
    const std::size_t begin = TextBeginOf(feedBefore == npos ? scan : scan + feedBefore + 1);
    if (begin >= from && Text.size() - begin >= Wanted.size() &&
        std::memcmp(Text.data() + begin, Wanted.data(), Wanted.size()) == 0)
      return begin;
    const std::size_t lineFeed = Text.find('\n', anchor > begin ? anchor : begin);
    if (lineFeed == npos)
      return npos;
    scan = lineFeed + 1;
  }
  return npos;
}
