// Fuzzes the profile engine: a fuzzed file image, then fuzzed writes and reads on it. After each
// write the key reads back with its value and every other entry reads as before; a write the
// format cannot hold is refused and leaves the file as it was.
//
// Input: the image, then operations, each after a zero byte: section, key and value separated by
// byte 1 write; fewer fields read.
#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzScratchFile.h"
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/ProfileImage.h>
#include <zodavudaz/settings/ProfileReading.h>
#include <zodavudaz/settings/ProfileWriter.h>

#include <cstring>
#include <fstream>
#include <sanitizer/allocator_interface.h>
#include <set>
#include <string>
#include <vector>

namespace {
constexpr size_t MaxOperations = 8;
constexpr size_t MaxNames = 12;
using Names = std::set<std::string>;

const std::string& FilePath() { return FuzzScratchFile("Mardel.tmp"); }

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts(1);
  for (char ch : text) {
    if (ch == separator)
      parts.emplace_back();
    else
      parts.back() += ch;
  }
  return parts;
}

/// The section and key names that the image's lines mention.
void CollectNames(const std::string& image, Names& sections, Names& keys) {
  for (const std::string& line : Split(image, '\n')) {
    const size_t open = line.find_first_not_of(" \t\xEF\xBB\xBF"), close = line.rfind(']');
    if (open != std::string::npos && line[open] == '[' && close != std::string::npos && close > open &&
        sections.size() < MaxNames)
      sections.insert(line.substr(open + 1, close - open - 1));
    if (line.find('=') != std::string::npos && keys.size() < MaxNames)
      keys.insert(line.substr(0, line.find('=')));
  }
}

std::pair<bool, std::string> Read(const ProfileImage& image, const std::string& section, const std::string& key) {
  CString value;
  const bool found = image.GetString(section.c_str(), key.c_str(), value) == ProfileCause::None;
  return {found, std::string(value, value.GetLength())};
}

void CheckWrite(const std::string& section, const std::string& key, const std::string& value, const Names& sections,
                const Names& keys) {
  ProfileImage before, after;
  LoadProfileImage(FilePath().c_str(), before);
  const int result = WriteProfileStringEx(FilePath().c_str(), section.c_str(), key.c_str(), value.c_str());
  LoadProfileImage(FilePath().c_str(), after);
  Check(result == (ProfileWriter::CanStore(section.c_str(), key.c_str(), value.c_str()) ? 1 : 0));
  Check(result == 1 || (before.GetLength() == after.GetLength() &&
                        std::memcmp(before.GetData(), after.GetData(), static_cast<size_t>(after.GetLength())) == 0));
  Check(result == 0 || Read(after, section, key) == std::make_pair(true, value));
  // A header is a whole line, so a write under one name never shows under another.
  for (const std::string& otherSection : sections)
    for (const std::string& otherKey : keys)
      Check((otherSection == section && otherKey == key) ||
            Read(before, otherSection, otherKey) == Read(after, otherSection, otherKey));
}

void RunInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> parts = Split(std::string(reinterpret_cast<const char*>(data), size), '\0');
  std::ofstream(FilePath(), std::ios::binary | std::ios::trunc) << parts[0];
  Names sections, keys;
  CollectNames(parts[0], sections, keys);
  for (size_t index = 1; index < parts.size() && index <= MaxOperations; ++index) {
    const std::vector<std::string> fields = Split(parts[index], '\x01');
    sections.insert(fields[0]);
    keys.insert(fields.size() >= 2 ? fields[1] : fields[0]);
    CString value;
    if (fields.size() >= 3)
      CheckWrite(fields[0], fields[1], fields[2], sections, keys);
    else
      GetProfileStringEx(FilePath().c_str(), fields[0].c_str(), fields.back().c_str(), value);
  }
}
} // namespace

// The leak checker cannot stop the world under the user-mode emulator that runs this program and
// hangs; every input is checked for leaks by its allocation balance instead.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The first input allocates what the C++ library keeps for good.
  const uint8_t warmUp[] = "[S]\r\n\0S\1K\1V";
  RunInput(warmUp, sizeof warmUp - 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const size_t allocated = __sanitizer_get_current_allocated_bytes();
  RunInput(data, size);
  Check(__sanitizer_get_current_allocated_bytes() == allocated);
  return 0;
}
