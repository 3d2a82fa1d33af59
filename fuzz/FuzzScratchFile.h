// One scratch file per fuzz target, in a folder of its own that goes when the target ends.
#ifndef ZODAVUDAZ_FUZZ_FUZZSCRATCHFILE_H
#define ZODAVUDAZ_FUZZ_FUZZSCRATCHFILE_H

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace FuzzScratch {
inline char Folder[] = "/tmp/zdz-fuzz-XXXXXX";
inline std::string Path;

inline void Remove() {
  ::unlink(Path.c_str());
  ::rmdir(Folder);
}
} // namespace FuzzScratch

/// The path of the scratch file named name, made on the first call; removed at exit.
inline const std::string& FuzzScratchFile(const char* name) {
  if (FuzzScratch::Path.empty()) {
    FuzzScratch::Path = std::string(mkdtemp(FuzzScratch::Folder)) + "/" + name;
    std::atexit(FuzzScratch::Remove);
  }
  return FuzzScratch::Path;
}

#endif
