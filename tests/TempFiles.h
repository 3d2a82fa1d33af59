// A scratch folder for file tests, with whole-file reads and writes.
#ifndef ZODAVUDAZ_TESTS_TEMPFILES_H
#define ZODAVUDAZ_TESTS_TEMPFILES_H

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

/// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
  TempFolder() : Path(mkdtemp((std::filesystem::temp_directory_path() / "zdz-XXXXXX").string().data())) {}
  ~TempFolder() { std::filesystem::remove_all(Path); }
  std::string operator/(const std::string& name) const { return (Path / name).string(); }
  /// How many entries the folder holds (a leftover temporary file shows here).
  long Count() const {
    return std::distance(std::filesystem::directory_iterator(Path), std::filesystem::directory_iterator());
  }
  std::filesystem::path Path;
};

inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

#endif
