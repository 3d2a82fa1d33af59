// The platform's desktop: the primary screen's size and its top-level windows, found by class name.
#ifndef ZODAVUDAZ_PLATFORM_DESKTOP_H
#define ZODAVUDAZ_PLATFORM_DESKTOP_H

#include <zodavudaz/platform/CRect.h>
#include <zodavudaz/platform/Export.h>

/// Metrics of GetSystemMetrics: width and height of the primary screen in pixels.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;

/// The metric index, or 0 for an index the desktop does not know.
int GetSystemMetrics(int index) noexcept;

/// The first window whose class name is className and whose title is windowName (a null one
/// matches any), both compared without regard to ASCII case; null when there is none.
HWND FindWindowA(LPCTSTR className, LPCTSTR windowName) noexcept;

/// Writes the screen rectangle of window to *rect; FALSE for a window that does not exist.
BOOL GetWindowRect(HWND window, RECT* rect) noexcept;

/// Longest class name or title a window can have.
constexpr int MaxWindowNameLength = 256;

/// Sets the screen size that GetSystemMetrics reports (1024 x 768 until set); a negative size
/// counts as 0.
ZODAVUDAZ_EXPORT void SetScreenSize(int width, int height) noexcept;
/// Puts a window of className titled windowName (null: empty) at rect; its handle, or null when
/// a name is null or too long or the desktop holds 16 windows already.
ZODAVUDAZ_EXPORT HWND AddDesktopWindow(LPCTSTR className, LPCTSTR windowName, const RECT& rect) noexcept;
/// Removes every window and sets the screen back to 1024 x 768.
ZODAVUDAZ_EXPORT void ResetDesktop() noexcept;

#endif
