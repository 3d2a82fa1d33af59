#include <zodavudaz/platform/RegistryFile.h>

#include <zodavudaz/platform/Registry.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {
// One key or string value of a file; the whole file is checked before anything is entered.
struct Entry {
  HKEY Root = nullptr;
  std::string Key;
  bool IsValue = false;
  std::string Name;
  std::string Text;
};

HKEY RootNamed(std::string_view name) {
  if (name == "HKEY_LOCAL_MACHINE")
    return HKEY_LOCAL_MACHINE;
  if (name == "HKEY_CURRENT_USER")
    return HKEY_CURRENT_USER;
  return nullptr;
}

bool ParseKeyLine(std::string_view line, std::vector<Entry>& entries) {
  if (line.size() < 2 || line.back() != ']')
    return false;
  const std::string_view inside = line.substr(1, line.size() - 2);
  const size_t cut = std::min(inside.find('\\'), inside.size());
  Entry key;
  key.Root = RootNamed(inside.substr(0, cut));
  key.Key = inside.substr(std::min(cut + 1, inside.size()));
  if (key.Root == nullptr)
    return false;
  entries.push_back(std::move(key));
  return true;
}

bool ParseValueLine(std::string_view line, std::vector<Entry>& entries) {
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos || entries.empty())
    return false;
  Entry value;
  value.Root = entries.back().Root;
  value.Key = entries.back().Key;
  value.IsValue = true;
  value.Name = line.substr(0, equals);
  value.Text = line.substr(equals + 1);
  entries.push_back(std::move(value));
  return true;
}

bool ParseLine(std::string_view line, std::vector<Entry>& entries) {
  if (line.empty() || line[0] == '#' || line[0] == ';')
    return true;
  return line[0] == '[' ? ParseKeyLine(line, entries) : ParseValueLine(line, entries);
}

bool Parse(std::string_view text, std::vector<Entry>& entries) {
  if (text.find('\0') != std::string_view::npos)
    return false;
  while (!text.empty()) {
    const size_t end = std::min(text.find_first_of("\r\n"), text.size());
    if (!ParseLine(text.substr(0, end), entries))
      return false;
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return true;
}

LONG Enter(const Entry& entry) {
  if (!entry.IsValue)
    return CreateRegistryKey(entry.Root, entry.Key.c_str());
  return SetRegistryValue(entry.Root, entry.Key.c_str(), entry.Name.c_str(), REG_SZ, entry.Text.c_str(),
                          static_cast<DWORD>(entry.Text.size()) + 1);
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

bool ReadWholeFile(LPCTSTR path, std::string& text) {
  const std::unique_ptr<std::FILE, FileCloser> file(path != nullptr ? std::fopen(path, "rb") : nullptr);
  if (file == nullptr)
    return false;
  char chunk[4096];
  for (size_t count; (count = std::fread(chunk, 1, sizeof chunk, file.get())) > 0;)
    text.append(chunk, count);
  return std::ferror(file.get()) == 0;
}
} // namespace

LONG LoadRegistryText(const char* text, DWORD length) noexcept {
  try {
    std::vector<Entry> entries;
    if (!Parse(std::string_view(text != nullptr ? text : "", text != nullptr ? length : 0), entries))
      return ERROR_BADDB;
    for (const Entry& entry : entries)
      if (const LONG status = Enter(entry); status != ERROR_SUCCESS)
        return status;
    return ERROR_SUCCESS;
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

LONG LoadRegistryFile(LPCTSTR path) noexcept {
  try {
    std::string text;
    if (!ReadWholeFile(path, text))
      return ERROR_FILE_NOT_FOUND;
    return LoadRegistryText(text.data(), static_cast<DWORD>(text.size()));
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}
