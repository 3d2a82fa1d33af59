#include <zodavudaz/settings/HeaderSearch.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {
struct SearchRow {
  const char* Name;
  std::string Text;
  std::string Wanted;
  std::size_t From;
  std::size_t Expected;
};

// A text large enough that the search scans for a sampled rare byte instead of the first one.
std::string LargeText(const std::string& filler, const std::string& tail) {
  std::string text;
  while (text.size() < 80 * 1024)
    text += filler;
  return text + tail;
}

TEST(HeaderSearchTest, FindsTheFirstOccurrenceAtOrAfterFrom) {
  const std::string sections = LargeText("[StationS0-Module0]\r\nKey=1\r\n\r\n", "[StationBench]\r\n");
  const std::size_t bench = sections.size() - 16;
  const SearchRow rows[] = {
      {"at the start", "[A]x", "[A]", 0, 0},
      {"at the very end", "xx[A]", "[A]", 0, 2},
      {"after a partial match", "[A[A]", "[A]", 0, 2},
      {"from past the first one", "[A][A]", "[A]", 1, 3},
      {"from exactly at it", "[A][A]", "[A]", 3, 3},
      {"none left after from", "[A]xx", "[A]", 1, HeaderSearch::npos},
      {"longer than the text", "[A", "[A]", 0, HeaderSearch::npos},
      {"from past the end", "[A]", "[A]", 4, HeaderSearch::npos},
      {"empty text", "", "[A]", 0, HeaderSearch::npos},
      {"large: rare byte found late", sections, "[StationBench]", 0, bench},
      {"large: from just past it", sections, "[StationBench]", bench + 1, HeaderSearch::npos},
      {"large: rare byte ending the text", LargeText("[a]a", "[b"), "[b", 0, 80 * 1024},
      {"large: wanted in the middle", LargeText("ab", "") + "XY" + LargeText("ab", ""), "bXYa", 0, 80 * 1024 - 1},
  };
  for (const SearchRow& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(HeaderSearch(row.Text, row.Wanted).FindFrom(row.From), row.Expected);
  }
}

// Every anchor the sample may pick must find what a plain search finds.
TEST(HeaderSearchTest, AgreesWithAPlainSearchOnRandomTexts) {
  std::mt19937 random(20261207);
  const std::string alphabet = "[]abS\r\n";
  for (const std::size_t size : {std::size_t{50}, std::size_t{300}, std::size_t{70 * 1024}}) {
    for (int round = 0; round < 40; ++round) {
      std::string text(size, ' ');
      // A skewed mix, so that the rarest byte differs from the first one.
      for (char& ch : text)
        ch = alphabet[std::min<std::size_t>(random() % 16 / 2, alphabet.size() - 1)];
      const std::size_t length = 1 + random() % 6;
      const std::string wanted = text.substr(random() % (size - length), length);
      const HeaderSearch search(text, wanted);
      for (std::size_t from = random() % 7; from <= size; from += 1 + random() % (size / 8 + 1)) {
        SCOPED_TRACE("size " + std::to_string(size) + " wanted \"" + wanted + "\" from " + std::to_string(from));
        ASSERT_EQ(search.FindFrom(from), std::string_view(text).find(wanted, from));
      }
    }
  }
}
} // namespace
