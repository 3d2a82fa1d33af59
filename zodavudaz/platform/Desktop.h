// The platform's desktop as an application sets it up: the primary screen's size and its top-level
// windows.
#ifndef ZODAVUDAZ_PLATFORM_DESKTOP_H
#define ZODAVUDAZ_PLATFORM_DESKTOP_H

#include <zodavudaz/platform/CRect.h>
#include <zodavudaz/platform/Export.h>

/// Longest class name or title a window can have.
constexpr int MaxWindowNameLength = 256;

/// Sets the screen size that the library finds (1024 x 768 until set); a negative size
/// counts as 0.
ZODAVUDAZ_EXPORT void SetScreenSize(int width, int height) noexcept;
/// Puts a window of className titled windowName (null: empty) at rect; its handle, or null when
/// a name is null or too long or the desktop holds 16 windows already.
ZODAVUDAZ_EXPORT HWND AddDesktopWindow(LPCTSTR className, LPCTSTR windowName, const RECT& rect) noexcept;
/// Removes every window and sets the screen back to 1024 x 768.
ZODAVUDAZ_EXPORT void ResetDesktop() noexcept;

#endif
