#include <zodavudaz/platform/CString.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>

struct CString::Header {
  int Length;
  int Capacity;
  char* Text() { return reinterpret_cast<char*>(this + 1); }
};

namespace {
// Every empty string shares this block, so an empty string never allocates.
struct EmptyBlock {
  int Length = 0;
  int Capacity = 0;
  char Text[4] = {};
};
EmptyBlock TheEmptyBlock;

char* EmptyText() { return TheEmptyBlock.Text; }

int BoundedLength(const char* text) { return text == nullptr ? 0 : static_cast<int>(std::strlen(text)); }
} // namespace

CString::CString() noexcept : Data(EmptyText()) {}

CString::CString(const CString& other) noexcept : Data(EmptyText()) { Assign(other.Data, other.GetLength()); }

CString::CString(const char* text) noexcept : Data(EmptyText()) { Assign(text, BoundedLength(text)); }

CString::CString(const char* text, int length) noexcept : Data(EmptyText()) {
  Assign(text, text == nullptr ? 0 : length);
}

CString::CString(char ch, int count) noexcept : Data(EmptyText()) {
  if (count <= 0 || !Reserve(count, false))
    return;
  std::memset(Data, ch, static_cast<size_t>(count));
  SetLength(count);
}

CString::~CString() { Empty(); }

CString& CString::operator=(const CString& other) noexcept {
  if (this != &other)
    Assign(other.Data, other.GetLength());
  return *this;
}

CString& CString::operator=(const char* text) noexcept {
  Assign(text, BoundedLength(text));
  return *this;
}

CString& CString::operator=(char ch) noexcept {
  Assign(&ch, 1);
  return *this;
}

CString& CString::operator+=(const CString& other) noexcept {
  Append(other.Data, other.GetLength());
  return *this;
}

CString& CString::operator+=(const char* text) noexcept {
  Append(text, BoundedLength(text));
  return *this;
}

CString& CString::operator+=(char ch) noexcept {
  Append(&ch, 1);
  return *this;
}

int CString::GetLength() const noexcept { return GetHeader()->Length; }

BOOL CString::IsEmpty() const noexcept { return GetLength() == 0; }

void CString::Empty() noexcept {
  if (Data != EmptyText())
    std::free(GetHeader());
  Data = EmptyText();
}

char CString::GetAt(int index) const noexcept { return Data[index]; }

char CString::operator[](int index) const noexcept { return Data[index]; }

void CString::SetAt(int index, char ch) noexcept {
  if (index >= 0 && index < GetLength())
    Data[index] = ch;
}

CString::operator LPCTSTR() const noexcept { return Data; }

int CString::Compare(const char* text) const noexcept { return std::strcmp(Data, text == nullptr ? "" : text); }

int CString::Find(char ch, int start) const noexcept {
  for (int i = start < 0 ? 0 : start; i < GetLength(); ++i)
    if (Data[i] == ch)
      return i;
  return -1;
}

int CString::Find(const char* text, int start) const noexcept {
  if (text == nullptr || start < 0 || start > GetLength())
    return -1;
  const char* found = std::strstr(Data + start, text);
  return found == nullptr ? -1 : static_cast<int>(found - Data);
}

CString CString::Mid(int first) const noexcept { return Mid(first, GetLength()); }

CString CString::Mid(int first, int count) const noexcept {
  if (first < 0)
    first = 0;
  if (first > GetLength())
    first = GetLength();
  if (count < 0)
    count = 0;
  if (count > GetLength() - first)
    count = GetLength() - first;
  return CString(Data + first, count);
}

CString CString::Left(int count) const noexcept { return Mid(0, count); }

CString CString::Right(int count) const noexcept {
  if (count < 0)
    count = 0;
  if (count > GetLength())
    count = GetLength();
  return Mid(GetLength() - count, count);
}

void CString::Format(const char* format, ...) noexcept {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  // Written into a new text, so that this string may also be one of the arguments.
  CString formatted;
  if (length >= 0 && formatted.Reserve(length, false)) {
    std::vsnprintf(formatted.Data, static_cast<size_t>(length) + 1, format, args);
    formatted.SetLength(length);
  }
  std::swap(Data, formatted.Data);
  va_end(args);
}

char* CString::GetBuffer(int minLength) noexcept {
  if (minLength < GetLength())
    minLength = GetLength();
  // The shared empty text must never be handed out for writing.
  if (minLength < 1)
    minLength = 1;
  return Reserve(minLength, true) ? Data : nullptr;
}

void CString::ReleaseBuffer(int newLength) noexcept {
  if (Data == EmptyText())
    return;
  if (newLength < 0)
    newLength = static_cast<int>(strnlen(Data, static_cast<size_t>(GetHeader()->Capacity)));
  if (newLength > GetHeader()->Capacity)
    newLength = GetHeader()->Capacity;
  SetLength(newLength);
}

CString::Header* CString::GetHeader() const noexcept { return reinterpret_cast<Header*>(Data) - 1; }

bool CString::Reserve(int capacity, bool keepText) noexcept {
  if (capacity < 0)
    return false;
  if (Data != EmptyText() && GetHeader()->Capacity >= capacity)
    return true;
  if (capacity == 0)
    return true;
  void* block = std::malloc(sizeof(Header) + static_cast<size_t>(capacity) + 1);
  if (block == nullptr)
    return false;
  Header* header = static_cast<Header*>(block);
  header->Capacity = capacity;
  header->Length = keepText ? GetLength() : 0;
  std::memcpy(header->Text(), Data, static_cast<size_t>(header->Length) + 1);
  Empty();
  Data = header->Text();
  return true;
}

void CString::SetLength(int length) noexcept {
  if (Data == EmptyText())
    return;
  GetHeader()->Length = length;
  Data[length] = '\0';
}

void CString::Assign(const char* text, int length) noexcept {
  if (length <= 0) {
    Empty();
    return;
  }
  if (Data != EmptyText() && text >= Data && text <= Data + GetLength()) {
    std::memmove(Data, text, static_cast<size_t>(length));
    SetLength(length);
    return;
  }
  if (!Reserve(length, false))
    return;
  std::memcpy(Data, text, static_cast<size_t>(length));
  SetLength(length);
}

void CString::Append(const char* text, int length) noexcept {
  if (length <= 0)
    return;
  const int oldLength = GetLength();
  if (length > 0x7FFFFFF0 - oldLength)
    return;
  if (Data == EmptyText() || GetHeader()->Capacity < oldLength + length) {
    // Grow geometrically so that appending character by character stays linear.
    CString grown;
    const int wanted = oldLength + length;
    const int capacity = wanted < 0x3FFFFFF0 ? wanted + wanted / 2 : wanted;
    if (!grown.Reserve(capacity, false))
      return;
    std::memcpy(grown.Data, Data, static_cast<size_t>(oldLength));
    std::memcpy(grown.Data + oldLength, text, static_cast<size_t>(length));
    grown.SetLength(wanted);
    char* swapped = Data;
    Data = grown.Data;
    grown.Data = swapped;
    return;
  }
  std::memmove(Data + oldLength, text, static_cast<size_t>(length));
  SetLength(oldLength + length);
}

CString operator+(const CString& left, const CString& right) noexcept {
  CString sum(left);
  sum += right;
  return sum;
}

CString operator+(const CString& left, const char* right) noexcept {
  CString sum(left);
  sum += right;
  return sum;
}

CString operator+(const char* left, const CString& right) noexcept {
  CString sum(left);
  sum += right;
  return sum;
}

CString operator+(const CString& left, char right) noexcept {
  CString sum(left);
  sum += right;
  return sum;
}

bool operator==(const CString& left, const CString& right) noexcept {
  return left.GetLength() == right.GetLength() && std::memcmp(static_cast<LPCTSTR>(left), static_cast<LPCTSTR>(right),
                                                              static_cast<size_t>(left.GetLength())) == 0;
}

bool operator==(const CString& left, const char* right) noexcept { return left.Compare(right) == 0; }

bool operator!=(const CString& left, const CString& right) noexcept { return !(left == right); }

bool operator!=(const CString& left, const char* right) noexcept { return !(left == right); }
