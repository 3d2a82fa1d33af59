#include <zodavudaz/platform/RandomWord.h>

#include <cerrno>
#include <sys/random.h>

bool GetRandomWord(std::uint64_t& word) noexcept {
  ssize_t got = -1;
  do
    got = ::getrandom(&word, sizeof word, 0);
  while (got < 0 && errno == EINTR);
  return got == static_cast<ssize_t>(sizeof word);
}
