// The framework's basic integer, handle and position types, on ILP32 and LP64 alike.
#ifndef ZODAVUDAZ_PLATFORM_BASETYPES_H
#define ZODAVUDAZ_PLATFORM_BASETYPES_H

#include <cstddef>
#include <cstdint>
#include <type_traits>

/// True in the 32-bit build, whose types, symbols and layouts callers already link against.
constexpr bool Is32BitBuild = sizeof(void*) == 4;

using BYTE = unsigned char;
using WORD = unsigned short;
// 32-bit in both builds; the 32-bit build keeps its long types so its mangled names stay.
using DWORD = std::conditional_t<Is32BitBuild, unsigned long, std::uint32_t>;
using UINT = unsigned int;
using LONG = std::conditional_t<Is32BitBuild, long, std::int32_t>;
using BOOL = int;
using LPCTSTR = const char*;
using LPTSTR = char*;
using LPVOID = void*;
// Posted-message words are pointer-wide, as the platform's message parameters are.
using WPARAM = std::conditional_t<Is32BitBuild, UINT, std::uintptr_t>;
using LPARAM = std::conditional_t<Is32BitBuild, LONG, std::intptr_t>;

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

/// Picks a record's size or offset for the build: in-process records that hold pointers, strings or
/// virtual tables differ between the two, and each build asserts its own.
constexpr std::size_t PerBuild(std::size_t bits32, std::size_t bits64) { return Is32BitBuild ? bits32 : bits64; }

// Stored records and wire packets carry these sizes in both builds.
static_assert(sizeof(void*) == 4 || sizeof(void*) == 8);
static_assert(sizeof(WORD) == 2 && sizeof(DWORD) == 4 && sizeof(LONG) == 4 && sizeof(UINT) == 4);
static_assert(sizeof(WPARAM) == sizeof(void*) && sizeof(LPARAM) == sizeof(void*));
static_assert(sizeof(double) == 8 && sizeof(long long) == 8);

#endif
