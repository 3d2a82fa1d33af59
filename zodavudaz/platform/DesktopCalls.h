// The desktop calls the library makes: the primary screen's size and its top-level windows, found by
// class name.
#ifndef ZODAVUDAZ_PLATFORM_DESKTOPCALLS_H
#define ZODAVUDAZ_PLATFORM_DESKTOPCALLS_H

#include <zodavudaz/platform/Desktop.h>

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

#endif
