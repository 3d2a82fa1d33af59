// The framework's basic integer, handle and position types, on the ILP32 data model.
#ifndef PLATFORM_BASETYPES_H
#define PLATFORM_BASETYPES_H

#include <cstddef>

using BYTE = unsigned char;
using WORD = unsigned short;
using DWORD = unsigned long;
using UINT = unsigned int;
using LONG = long;
using BOOL = int;
using LPCTSTR = const char*;
using LPTSTR = char*;
using LPVOID = void*;
using WPARAM = UINT;
using LPARAM = LONG;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct InstanceTag;
/// Handle of a loaded module (the library or the program).
using HINSTANCE = InstanceTag*;

struct WindowTag;
/// Handle of a window.
using HWND = WindowTag*;

/// Handle of a kernel object (an event).
using HANDLE = void*;

struct PositionTag;
/// Opaque position inside a framework collection; null ends a walk.
using POSITION = PositionTag*;

struct TreeItemTag;
/// Handle of an item of a tree-view control.
using HTREEITEM = TreeItemTag*;

// Stored records and wire packets carry these sizes; the library is built for 32-bit x86 only.
static_assert(sizeof(void*) == 4, "build with -m32");
static_assert(sizeof(WORD) == 2 && sizeof(DWORD) == 4 && sizeof(LONG) == 4);
static_assert(sizeof(double) == 8 && sizeof(long long) == 8);

#endif
