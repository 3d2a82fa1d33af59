// The primary screen's size, the edge the desktop taskbar sits on and the work area it leaves.
#ifndef ZODAVUDAZ_SETTINGS_DISPLAYPROPERTY_H
#define ZODAVUDAZ_SETTINGS_DISPLAYPROPERTY_H

#include <zodavudaz/platform/CRect.h>
#include <zodavudaz/platform/Export.h>

/// Codes of the taskbar's position written by GetDisplayProperty.
enum TaskbarPosition : int {
  TaskbarTop = 0,
  TaskbarBottom = 1,
  TaskbarRight = 2,
  TaskbarLeft = 3,
  TaskbarNotAtEdge = 4, // hidden, automatically hidden, elsewhere or missing
};

/// Writes the screen size, the TaskbarPosition code and the part of the screen the taskbar leaves
/// free (the whole screen for TaskbarNotAtEdge; never reaching outside the screen). Cannot fail.
ZODAVUDAZ_EXPORT void GetDisplayProperty(int& screenWidth, int& screenHeight, int& position, RECT& workArea) noexcept;

#endif
