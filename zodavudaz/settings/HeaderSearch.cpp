#include <zodavudaz/settings/HeaderSearch.h>

#include <array>
#include <cstring>

namespace {
// Below this size a plain search costs less than taking the sample.
constexpr std::size_t SampledTextSize = std::size_t{64} * 1024;
constexpr std::size_t SampleSize = 1024;
} // namespace

HeaderSearch::HeaderSearch(std::string_view text, std::string_view wanted) noexcept
    : Text(text), Wanted(wanted), Anchor(0) {
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

std::size_t HeaderSearch::FindFrom(std::size_t from) const noexcept {
  if (Wanted.empty())
    return from <= Text.size() ? from : npos;
  if (from > Text.size() || Text.size() - from < Wanted.size())
    return npos;
  // The last position where wanted still fits; every candidate found lies between from and it.
  const std::size_t last = Text.size() - Wanted.size();
  for (std::size_t scan = from + Anchor; scan <= last + Anchor;) {
    const void* hit = std::memchr(Text.data() + scan, Wanted[Anchor], last + Anchor + 1 - scan);
    if (hit == nullptr)
      return npos;
    const std::size_t start = static_cast<std::size_t>(static_cast<const char*>(hit) - Text.data()) - Anchor;
    if (std::memcmp(Text.data() + start, Wanted.data(), Wanted.size()) == 0)
      return start;
    scan = start + Anchor + 1;
  }
  return npos;
}
