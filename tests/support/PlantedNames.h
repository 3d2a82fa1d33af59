// Names that another user took first: files of root's under the writer's fixed names.
#ifndef ZODAVUDAZ_TESTS_SUPPORT_PLANTEDNAMES_H
#define ZODAVUDAZ_TESTS_SUPPORT_PLANTEDNAMES_H

#include "tests/TempFiles.h"
#include <zodavudaz/settings/WriterFiles.h>

#include <string>
#include <sys/stat.h>

/// Plants "planted" under the temporary and the journal name of file and makes its folder sticky
/// and world-writable, so that no other user may remove them; false where the folder stays as it was.
inline bool PlantNames(const std::string& file, const std::string& folder) {
  for (const CString& name : {TemporaryNameFor(file.c_str()), JournalNameFor(file.c_str())}) {
    WriteAll(static_cast<LPCTSTR>(name), "planted");
    chmod(name, 0644);
  }
  return chmod(folder.c_str(), 01777) == 0;
}

#endif
