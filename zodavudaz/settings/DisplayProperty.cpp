#include <zodavudaz/settings/DisplayProperty.h>

#include <zodavudaz/platform/DesktopCalls.h>

#include <algorithm>

namespace {
// A taskbar along an edge reaches this far past the screen on the edges it touches.
constexpr long long Overhang = 2;

// Coordinates widened so that no comparison or difference of window coordinates can overflow.
struct Box {
  long long Left, Top, Right, Bottom;
};

struct Screen {
  long long Width, Height;
};

bool FindTaskbar(Box& bar) {
  RECT rect{};
  const HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
  if (taskbar == nullptr || !GetWindowRect(taskbar, &rect))
    return false;
  bar = {rect.left, rect.top, rect.right, rect.bottom};
  return true;
}

// The checks run in this order: a bar pushed past an edge or onto the far edge is hidden.
TaskbarPosition Classify(const Box& bar, const Screen& screen) {
  if (bar.Left < -Overhang || bar.Top + Overhang == screen.Height || bar.Top < -Overhang ||
      bar.Left + Overhang == screen.Width)
    return TaskbarNotAtEdge;
  if (bar.Top == -Overhang && bar.Left == -Overhang && bar.Right == screen.Width + Overhang)
    return TaskbarTop;
  if (bar.Top == -Overhang && bar.Left == -Overhang)
    return TaskbarLeft;
  if (bar.Top == -Overhang)
    return TaskbarRight;
  if (bar.Bottom == screen.Height + Overhang)
    return TaskbarBottom;
  return TaskbarNotAtEdge;
}

Box FreeArea(TaskbarPosition position, const Box& bar, const Screen& screen) {
  switch (position) {
  case TaskbarTop: return {0, bar.Bottom, screen.Width, screen.Height};
  case TaskbarLeft: return {bar.Right, 0, screen.Width, screen.Height};
  case TaskbarRight: return {0, 0, screen.Width - (bar.Right - bar.Left), screen.Height};
  case TaskbarBottom: return {0, 0, screen.Width, screen.Height - (bar.Bottom - bar.Top)};
  default: return {0, 0, screen.Width, screen.Height};
  }
}

// A misshapen taskbar (inverted, or wider than the screen) must not move the work area off screen.
LONG OnScreen(long long coordinate, long long size) { return static_cast<LONG>(std::clamp(coordinate, 0LL, size)); }
} // namespace

void GetDisplayProperty(int& screenWidth, int& screenHeight, int& position, RECT& workArea) noexcept {
  screenWidth = GetSystemMetrics(SM_CXSCREEN);
  screenHeight = GetSystemMetrics(SM_CYSCREEN);
  const Screen screen{std::max(screenWidth, 0), std::max(screenHeight, 0)};
  Box bar{};
  const TaskbarPosition found = FindTaskbar(bar) ? Classify(bar, screen) : TaskbarNotAtEdge;
  const Box area = FreeArea(found, bar, screen);
  workArea = {OnScreen(area.Left, screen.Width), OnScreen(area.Top, screen.Height), OnScreen(area.Right, screen.Width),
              OnScreen(area.Bottom, screen.Height)};
  position = found;
}
