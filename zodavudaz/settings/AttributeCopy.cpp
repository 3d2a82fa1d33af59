#include <zodavudaz/settings/AttributeCopy.h>

#include <cstring>

namespace {
/// The name at begin of names (each followed by a zero byte), moving begin past it; null after
/// the last.
LPCTSTR NextName(const CString& names, int& begin) noexcept {
  if (begin >= names.GetLength())
    return nullptr;
  LPCTSTR name = static_cast<LPCTSTR>(names) + begin;
  begin += static_cast<int>(std::strlen(name)) + 1;
  return name;
}

bool Holds(const CString& names, LPCTSTR name) noexcept {
  for (int begin = 0; LPCTSTR held = NextName(names, begin);)
    if (std::strcmp(held, name) == 0)
      return true;
  return false;
}

/// Gives target the value that source holds for name, unless it holds it already: setting even
/// the same value of some attributes takes a privilege.
WriteStep CopyOne(FileAccess::Handle source, FileAccess::Handle target, LPCTSTR name) noexcept {
  FileAccess& access = GetFileAccess();
  CString wanted;
  CString held;
  FileCause cause = FileCause::None;
  // One removed meanwhile is not copied.
  if (!access.GetAttribute(source, name, wanted, cause))
    return cause == FileCause::FileNotFound ? WriteStep::Done : WriteStep::Failed;
  if (access.GetAttribute(target, name, held, cause) && held == wanted)
    return WriteStep::Done;
  if (cause != FileCause::None && cause != FileCause::FileNotFound)
    return WriteStep::Failed;
  if (access.SetAttribute(target, name, wanted, cause))
    return WriteStep::Done;
  return cause == FileCause::AccessDenied ? WriteStep::Refused : WriteStep::Failed;
}
} // namespace

WriteStep CopyAttributes(FileAccess::Handle source, FileAccess::Handle target, LPCTSTR skipped) noexcept {
  FileAccess& access = GetFileAccess();
  CString sourceNames;
  CString targetNames;
  if (!access.ListAttributes(source, sourceNames) || !access.ListAttributes(target, targetNames))
    return WriteStep::Failed;
  for (int begin = 0; LPCTSTR name = NextName(targetNames, begin);)
    if (!Holds(sourceNames, name) && std::strcmp(name, skipped) != 0 && !access.RemoveAttribute(target, name))
      return WriteStep::Refused;
  for (int begin = 0; LPCTSTR name = NextName(sourceNames, begin);) {
    const WriteStep copied = std::strcmp(name, skipped) == 0 ? WriteStep::Done : CopyOne(source, target, name);
    if (copied != WriteStep::Done)
      return copied;
  }
  return WriteStep::Done;
}
