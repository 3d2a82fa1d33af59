// The framework's hash map from a text key to an object pointer.
#ifndef ZODAVUDAZ_PLATFORM_CMAPSTRINGTOOB_H
#define ZODAVUDAZ_PLATFORM_CMAPSTRINGTOOB_H

#include <zodavudaz/platform/CObject.h>
#include <zodavudaz/platform/CString.h>
#include <zodavudaz/platform/HashMapCore.h>

/// The framework's text hash: each byte folded in as hash * 33 + byte.
struct TextKeyHash {
  UINT operator()(const CString& key) const noexcept {
    UINT hash = 0;
    for (LPCTSTR text = key; *text != '\0'; ++text)
      hash = (hash << 5) + hash + static_cast<BYTE>(*text);
    return hash;
  }
};

/// Map from a case-sensitive text to CObject*; it stores the pointers and deletes nothing.
class CMapStringToOb {
public:
  explicit CMapStringToOb(int blockSize = 10) noexcept : Core(blockSize) {}

  int GetCount() const noexcept { return Core.GetCount(); }
  BOOL IsEmpty() const noexcept { return Core.IsEmpty(); }
  BOOL Lookup(LPCTSTR key, CObject*& value) const noexcept;
  BOOL SetAt(LPCTSTR key, CObject* value) noexcept { return Core.SetAt(CString(key), value); }
  BOOL RemoveKey(LPCTSTR key) noexcept { return Core.RemoveKey(CString(key)); }
  void RemoveAll() noexcept { Core.RemoveAll(); }
  POSITION GetStartPosition() const noexcept { return Core.GetStartPosition(); }
  void GetNextAssoc(POSITION& next, CString& key, CObject*& value) const noexcept;

private:
  HashMapCore<CString, TextKeyHash> Core;
};

inline BOOL CMapStringToOb::Lookup(LPCTSTR key, CObject*& value) const noexcept {
  void* found = nullptr;
  if (!Core.Lookup(CString(key), found))
    return FALSE;
  value = static_cast<CObject*>(found);
  return TRUE;
}

inline void CMapStringToOb::GetNextAssoc(POSITION& next, CString& key, CObject*& value) const noexcept {
  void* found = nullptr;
  Core.GetNextAssoc(next, key, found);
  value = static_cast<CObject*>(found);
}

#endif
