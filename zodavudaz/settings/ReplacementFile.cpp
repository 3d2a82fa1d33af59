#include <zodavudaz/settings/ReplacementFile.h>

#include <zodavudaz/platform/Ticks.h>

#include <atomic>

namespace {
// Names taken by another process at the same moment are skipped; past this many, creation fails.
constexpr int NameTries = 16;
std::atomic<unsigned> NameCounter{0};
} // namespace

ReplacementFile::~ReplacementFile() { Discard(); }

bool ReplacementFile::Create(FileCause& cause) noexcept {
  const CString prefix = Target + ".~";
  CFile::RemoveStartingWith(prefix);
  for (int tries = 0; tries < NameTries; ++tries) {
    // The clock tells processes apart, the counter the threads and tries of one.
    TempName.Format("%s%08lX%04X", static_cast<LPCTSTR>(prefix), static_cast<unsigned long>(GetTickCount()),
                    ++NameCounter & 0xFFFFu);
    CFileException error;
    if (File.Open(TempName, CFile::modeCreateNew | CFile::modeWrite, &error))
      return true;
    cause = error.Cause;
    if (cause != FileCause::Generic)
      break;
  }
  TempName.Empty();
  return false;
}

bool ReplacementFile::Write(const char* bytes, int length) noexcept {
  return length == 0 || File.Write(bytes, static_cast<UINT>(length));
}

bool ReplacementFile::Commit() noexcept {
  const bool durable = File.Flush();
  File.Close();
  if (!durable || !CFile::Rename(TempName, Target, TRUE)) {
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
