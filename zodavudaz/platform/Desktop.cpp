#include <zodavudaz/platform/DesktopCalls.h>

#include <cstring>
#include <strings.h>

namespace {
constexpr int DefaultScreenWidth = 1024;
constexpr int DefaultScreenHeight = 768;
constexpr int MaxWindows = 16;

struct DesktopWindow {
  bool InUse;
  char ClassName[MaxWindowNameLength + 1];
  char WindowName[MaxWindowNameLength + 1];
  RECT Rect;
};

struct Desktop {
  int ScreenWidth = DefaultScreenWidth;
  int ScreenHeight = DefaultScreenHeight;
  DesktopWindow Windows[MaxWindows] = {};
};
Desktop TheDesktop;

HWND HandleOf(DesktopWindow& window) { return reinterpret_cast<HWND>(&window); }

DesktopWindow* WindowOf(HWND handle) {
  for (DesktopWindow& window : TheDesktop.Windows)
    if (window.InUse && HandleOf(window) == handle)
      return &window;
  return nullptr;
}

bool Matches(const char* name, const char* wanted) { return wanted == nullptr || strcasecmp(name, wanted) == 0; }

bool CopyName(char (&target)[MaxWindowNameLength + 1], const char* name) {
  if (name == nullptr || std::strlen(name) > MaxWindowNameLength)
    return false;
  std::strcpy(target, name);
  return true;
}
} // namespace

int GetSystemMetrics(int index) noexcept {
  switch (index) {
  case SM_CXSCREEN: return TheDesktop.ScreenWidth;
  case SM_CYSCREEN: return TheDesktop.ScreenHeight;
  default: return 0;
  }
}

HWND FindWindowA(LPCTSTR className, LPCTSTR windowName) noexcept {
  for (DesktopWindow& window : TheDesktop.Windows)
    if (window.InUse && Matches(window.ClassName, className) && Matches(window.WindowName, windowName))
      return HandleOf(window);
  return nullptr;
}

BOOL GetWindowRect(HWND window, RECT* rect) noexcept {
  const DesktopWindow* found = WindowOf(window);
  if (found == nullptr || rect == nullptr)
    return FALSE;
  *rect = found->Rect;
  return TRUE;
}

void SetScreenSize(int width, int height) noexcept {
  TheDesktop.ScreenWidth = width < 0 ? 0 : width;
  TheDesktop.ScreenHeight = height < 0 ? 0 : height;
}

HWND AddDesktopWindow(LPCTSTR className, LPCTSTR windowName, const RECT& rect) noexcept {
  for (DesktopWindow& window : TheDesktop.Windows) {
    if (window.InUse)
      continue;
    if (!CopyName(window.ClassName, className) || !CopyName(window.WindowName, windowName != nullptr ? windowName : ""))
      return nullptr;
    window.Rect = rect;
    window.InUse = true;
    return HandleOf(window);
  }
  return nullptr;
}

void ResetDesktop() noexcept { TheDesktop = Desktop(); }
