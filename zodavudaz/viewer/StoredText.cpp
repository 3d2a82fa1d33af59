#include <zodavudaz/viewer/StoredText.h>

void CopyStoredText(std::string_view value, char* out, std::size_t size) noexcept {
  const std::size_t length = value.size() < size ? value.size() : size - 1;
  for (std::size_t i = 0; i < length; ++i)
    out[i] = value[i] == 14 ? ' ' : value[i];
  out[length] = '\0';
}
