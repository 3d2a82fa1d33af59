// The framework's single-byte text string.
#ifndef ZODAVUDAZ_PLATFORM_CSTRING_H
#define ZODAVUDAZ_PLATFORM_CSTRING_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// A single-byte text of any length, held through one pointer so that records embedding it keep
/// their 32-bit layout. Copies are deep. No member throws: a text that cannot be allocated leaves
/// the string as it was (or empty, for a new string).
class ZODAVUDAZ_EXPORT CString {
public:
  CString() noexcept;
  CString(const CString& other) noexcept;
  CString(const char* text) noexcept;
  /// The first length bytes of text; the bytes may include zeros.
  CString(const char* text, int length) noexcept;
  /// The character ch repeated count times.
  CString(char ch, int count) noexcept;
  ~CString();

  CString& operator=(const CString& other) noexcept;
  CString& operator=(const char* text) noexcept;
  CString& operator=(char ch) noexcept;
  CString& operator+=(const CString& other) noexcept;
  CString& operator+=(const char* text) noexcept;
  CString& operator+=(char ch) noexcept;

  int GetLength() const noexcept;
  BOOL IsEmpty() const noexcept;
  /// Makes the text empty and releases its storage.
  void Empty() noexcept;

  /// The character at index (0 to length - 1).
  char GetAt(int index) const noexcept;
  char operator[](int index) const noexcept;
  void SetAt(int index, char ch) noexcept;
  /// The zero-terminated text; valid until the string changes.
  operator LPCTSTR() const noexcept;

  /// strcmp-style comparison with a zero-terminated text.
  int Compare(const char* text) const noexcept;

  /// Position of the first ch or text at or after start, or -1.
  int Find(char ch, int start = 0) const noexcept;
  int Find(const char* text, int start = 0) const noexcept;

  CString Mid(int first) const noexcept;
  CString Mid(int first, int count) const noexcept;
  CString Left(int count) const noexcept;
  CString Right(int count) const noexcept;

  /// Replaces the text by printf-style formatted output (the process's C library rules).
  void Format(const char* format, ...) noexcept __attribute__((format(printf, 2, 3)));

  /// A writable buffer of at least minLength characters plus a terminating zero, or null when it
  /// cannot be allocated; ReleaseBuffer must follow before other members are used.
  char* GetBuffer(int minLength) noexcept;
  /// Ends a GetBuffer: the text becomes newLength bytes long (-1: up to the first zero).
  void ReleaseBuffer(int newLength = -1) noexcept;
  /// Appends length bytes of text (which may hold zeros); the text stays as it was when it
  /// cannot grow.
  void Append(const char* text, int length) noexcept;

private:
  struct Header;
  Header* GetHeader() const noexcept;
  bool Reserve(int capacity, bool keepText) noexcept;
  void SetLength(int length) noexcept;
  void Assign(const char* text, int length) noexcept;

  char* Data;
};

ZODAVUDAZ_EXPORT CString operator+(const CString& left, const CString& right) noexcept;
ZODAVUDAZ_EXPORT CString operator+(const CString& left, const char* right) noexcept;
ZODAVUDAZ_EXPORT CString operator+(const char* left, const CString& right) noexcept;
ZODAVUDAZ_EXPORT CString operator+(const CString& left, char right) noexcept;

ZODAVUDAZ_EXPORT bool operator==(const CString& left, const CString& right) noexcept;
ZODAVUDAZ_EXPORT bool operator==(const CString& left, const char* right) noexcept;
ZODAVUDAZ_EXPORT bool operator!=(const CString& left, const CString& right) noexcept;
ZODAVUDAZ_EXPORT bool operator!=(const CString& left, const char* right) noexcept;

static_assert(sizeof(CString) == PerBuild(4, 8));

#endif
