#include <zodavudaz/settings/ReplacementFile.h>

namespace {
// Names left behind by a process that died are skipped; past this many, creation fails.
constexpr int TempNameCount = 16;
} // namespace

ReplacementFile::~ReplacementFile() { Discard(); }

bool ReplacementFile::Create() noexcept {
  for (int number = 0; number < TempNameCount; ++number) {
    TempName.Format("%s.~%d", static_cast<LPCTSTR>(Target), number);
    CFileException error;
    if (File.Open(TempName, CFile::modeCreateNew | CFile::modeWrite, &error))
      return true;
    if (error.Cause != FileCause::Generic)
      break;
  }
  TempName.Empty();
  return false;
}

bool ReplacementFile::Write(const char* bytes, int length) noexcept {
  return length == 0 || File.Write(bytes, static_cast<UINT>(length));
}

bool ReplacementFile::Commit(bool replaceExisting) noexcept {
  const bool durable = File.Flush();
  File.Close();
  if (!durable || !CFile::Rename(TempName, Target, replaceExisting)) {
    Discard();
    return false;
  }
  TempName.Empty();
  return true;
}

void ReplacementFile::Discard() noexcept {
  File.Close();
  if (!TempName.IsEmpty())
    CFile::Remove(TempName);
  TempName.Empty();
}
