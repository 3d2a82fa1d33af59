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
  std::size_t FirstLineBegin = 0;
};

// A text large enough that the search scans for a sampled rare byte instead of the first one.
std::string LargeText(const std::string& filler, const std::string& tail) {
  std::string text;
  while (text.size() < 80 * 1024)
    text += filler;
  return text + tail;
}

constexpr std::size_t None = HeaderSearch::npos;

TEST(HeaderSearchTest, FindsTheFirstLineBeginningWithWantedAtOrAfterFrom) {
  const std::string sections = LargeText("[StationS0-Module0]\r\nKey=1\r\n\r\n", "[StationBench]\r\n");
  const std::size_t bench = sections.size() - 16;
  const SearchRow rows[] = {
      {"after blanks", " \t[A]", "[A]", 0, 2},
      {"after a return alone", "x\r[A]", "[A]", 0, None},
      {"from past the end", "[A]", "[A]", 4, None},
      {"wanted with a line feed", "[A\nB]", "[A\nB]", 0, None},
      {"after a byte-order mark", "\xEF\xBB\xBF [A]", "[A]", 0, 4, 3},
      {"byte-order mark only on the first line", "x\n\xEF\xBB\xBF[A]", "[A]", 0, None, 3},
      {"large: rare byte found late", sections, "[StationBench]", 0, bench},
      {"large: rare byte ending the text", LargeText("[a]a\n", "[b"), "[b", 0, 80 * 1024},
      {"large: rare byte inside a line only", LargeText("ab\n", "") + "xbXYa" + LargeText("\nab", ""), "bXYa", 0, None},
  };
  for (const SearchRow& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(HeaderSearch(row.Text, row.Wanted, row.FirstLineBegin).FindFrom(row.From), row.Expected);
  }
}

/// The first position at or after from where a line begins with wanted after its blanks, found
/// by looking at every position.
std::size_t FindLineBeginning(const std::string& text, const std::string& wanted, std::size_t from) {
  for (std::size_t at = text.find(wanted, from); at != std::string::npos; at = text.find(wanted, at + 1)) {
    std::size_t before = at;
    while (before > 0 && (text[before - 1] == ' ' || text[before - 1] == '\t'))
      --before;
    if (before == 0 || text[before - 1] == '\n')
      return at;
  }
  return std::string::npos;
}

// Every anchor the sample may pick must find what a look at every position finds.
TEST(HeaderSearchTest, AgreesWithALookAtEveryPositionOnRandomTexts) {
  std::mt19937 random(20261207);
  const std::string alphabet = "[]abS \n";
  for (const std::size_t size : {std::size_t{50}, std::size_t{300}, std::size_t{70 * 1024}}) {
    for (int round = 0; round < 40; ++round) {
      std::string text(size, ' ');
      // A skewed mix, so that the rarest byte differs from the first one.
      for (char& ch : text)
        ch = alphabet[std::min<std::size_t>(random() % 16 / 2, alphabet.size() - 1)];
      std::string wanted = "[";
      for (std::size_t length = random() % 6; wanted.size() <= length;)
        wanted += alphabet[random() % (alphabet.size() - 1)];
      const HeaderSearch search(text, wanted);
      for (std::size_t from = random() % 7; from <= size; from += 1 + random() % (size / 8 + 1)) {
        SCOPED_TRACE("size " + std::to_string(size) + " wanted \"" + wanted + "\" from " + std::to_string(from));
        ASSERT_EQ(search.FindFrom(from), FindLineBeginning(text, wanted, from));
      }
    }
  }
}

} // namespace
