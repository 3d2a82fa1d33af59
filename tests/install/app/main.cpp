// Uses the installed headers and libraries: one settings value written and read back, one
// viewer record made and released, the database reached. Prints "installed library works".
#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/viewer/ViewerProperty.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 2)
    return 2;
  CString value;
  const bool stored = WriteProfileStringEx(argv[1], "Section", "Key", "Value") == 1 &&
                      GetProfileStringEx(argv[1], "Section", "Key", value) == 1 && value == "Value";
  ViewerProperty* record = CreateViewerProperty(2);
  const bool made = record != nullptr && GetGrNum(record) == 0;
  ReleaseViewerProperty(record);
  if (!stored || !made || GetDataBase() == nullptr)
    return 1;
  std::puts("installed library works");
  return 0;
}
