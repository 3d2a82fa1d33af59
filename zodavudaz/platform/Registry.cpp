#include <zodavudaz/platform/RegistryCalls.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {
struct RegistryValue {
  DWORD Type;
  std::string Bytes;
};
using ValueMap = std::map<std::string, RegistryValue>;

struct OpenKey {
  std::string Path;
};

// Keys by folded full path ("hkey_local_machine\\software\\..."); a root always exists.
struct Store {
  std::map<std::string, ValueMap> Keys;
  std::vector<std::unique_ptr<OpenKey>> Open;
};

Store& TheStore() {
  static Store store;
  return store;
}

// The store's containers may throw on allocation; no exception leaves the registry calls.
template <typename Call>
LONG Guarded(Call call) noexcept {
  try {
    return call();
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

std::string Folded(std::string_view name) {
  std::string folded(name);
  for (char& ch : folded)
    if (ch >= 'A' && ch <= 'Z')
      ch = static_cast<char>(ch - 'A' + 'a');
  return folded;
}

OpenKey* FindOpen(HKEY key) {
  for (const auto& open : TheStore().Open)
    if (reinterpret_cast<HKEY>(open.get()) == key)
      return open.get();
  return nullptr;
}

// The path of a root or an open key; empty for any other handle.
std::string BasePath(HKEY key) {
  if (key == HKEY_LOCAL_MACHINE)
    return "hkey_local_machine";
  if (key == HKEY_CURRENT_USER)
    return "hkey_current_user";
  const OpenKey* open = FindOpen(key);
  return open != nullptr ? open->Path : std::string();
}

std::string JoinPath(std::string path, LPCTSTR subKey) {
  std::string_view rest = subKey != nullptr ? subKey : "";
  while (!rest.empty()) {
    const size_t end = std::min(rest.find('\\'), rest.size());
    if (end > 0)
      path += '\\' + Folded(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  return path;
}

bool IsRoot(const std::string& path) { return path.find('\\') == std::string::npos; }

bool KeyExists(const std::string& path) { return IsRoot(path) || TheStore().Keys.contains(path); }

ValueMap& CreateKey(const std::string& path) {
  for (size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1))
    TheStore().Keys[path.substr(0, cut)];
  return TheStore().Keys[path];
}

LONG FindValue(HKEY key, LPCTSTR valueName, const RegistryValue*& value) {
  const std::string path = BasePath(key);
  if (path.empty())
    return ERROR_INVALID_HANDLE;
  const auto found = TheStore().Keys.find(path);
  if (found == TheStore().Keys.end())
    return KeyExists(path) ? ERROR_FILE_NOT_FOUND : ERROR_KEY_DELETED;
  const auto named = found->second.find(Folded(valueName != nullptr ? valueName : ""));
  if (named == found->second.end())
    return ERROR_FILE_NOT_FOUND;
  value = &named->second;
  return ERROR_SUCCESS;
}
} // namespace

LONG RegOpenKeyExA(HKEY key, LPCTSTR subKey, DWORD /*options*/, REGSAM /*access*/, PHKEY result) noexcept {
  if (result == nullptr)
    return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  return Guarded([&] {
    const std::string base = BasePath(key);
    if (base.empty())
      return ERROR_INVALID_HANDLE;
    std::string path = JoinPath(base, subKey);
    if (!KeyExists(path))
      return ERROR_FILE_NOT_FOUND;
    TheStore().Open.push_back(std::make_unique<OpenKey>(OpenKey{std::move(path)}));
    *result = reinterpret_cast<HKEY>(TheStore().Open.back().get());
    return ERROR_SUCCESS;
  });
}

// The host call's signature: reserved is a writable pointer there.
// NOLINTNEXTLINE(readability-non-const-parameter)
LONG RegQueryValueExA(HKEY key, LPCTSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size) noexcept {
  if (reserved != nullptr || (data != nullptr && size == nullptr))
    return ERROR_INVALID_PARAMETER;
  return Guarded([&] {
    const RegistryValue* value = nullptr;
    const LONG status = FindValue(key, valueName, value);
    if (status != ERROR_SUCCESS)
      return status;
    const DWORD stored = static_cast<DWORD>(value->Bytes.size());
    if (type != nullptr)
      *type = value->Type;
    if (data != nullptr && *size < stored) {
      *size = stored;
      return ERROR_MORE_DATA;
    }
    // Values are bytes; a string value is stored with its terminating zero.
    if (data != nullptr)
      std::memcpy(data, value->Bytes.data(), stored); // NOLINT(bugprone-not-null-terminated-result)
    if (size != nullptr)
      *size = stored;
    return ERROR_SUCCESS;
  });
}

LONG RegCloseKey(HKEY key) noexcept {
  if (key == HKEY_LOCAL_MACHINE || key == HKEY_CURRENT_USER)
    return ERROR_SUCCESS;
  auto& open = TheStore().Open;
  const auto found = std::find_if(open.begin(), open.end(),
                                  [key](const auto& entry) { return reinterpret_cast<HKEY>(entry.get()) == key; });
  if (found == open.end())
    return ERROR_INVALID_HANDLE;
  open.erase(found);
  return ERROR_SUCCESS;
}

LONG CreateRegistryKey(HKEY root, LPCTSTR keyName) noexcept {
  return Guarded([&] {
    const std::string base = BasePath(root);
    if (base.empty())
      return ERROR_INVALID_HANDLE;
    CreateKey(JoinPath(base, keyName));
    return ERROR_SUCCESS;
  });
}

LONG SetRegistryValue(HKEY root, LPCTSTR keyName, LPCTSTR valueName, DWORD type, const void* data,
                      DWORD size) noexcept {
  if (data == nullptr && size != 0)
    return ERROR_INVALID_PARAMETER;
  return Guarded([&] {
    const std::string base = BasePath(root);
    if (base.empty())
      return ERROR_INVALID_HANDLE;
    RegistryValue value{type, data != nullptr ? std::string(static_cast<const char*>(data), size) : std::string()};
    CreateKey(JoinPath(base, keyName))[Folded(valueName != nullptr ? valueName : "")] = std::move(value);
    return ERROR_SUCCESS;
  });
}

void ClearRegistry() noexcept { TheStore().Keys.clear(); }

int GetOpenRegistryKeyCount() noexcept { return static_cast<int>(TheStore().Open.size()); }
