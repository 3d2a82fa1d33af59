#include <zodavudaz/settings/DisplayProperty.h>

#include <zodavudaz/platform/Desktop.h>

#include <gtest/gtest.h>

#include <limits>

namespace {
constexpr LONG LongMax = std::numeric_limits<LONG>::max();
constexpr LONG LongMin = std::numeric_limits<LONG>::min();
constexpr char Tray[] = "Shell_TrayWnd";

struct TaskbarCase {
  const char* Name;
  int Width;
  int Height;
  const char* ClassName; // null: no taskbar window
  RECT Bar;
  int Position;
  RECT WorkArea;
};

const TaskbarCase TaskbarCases[] = {
    {"Bottom", 1024, 768, Tray, {-2, 740, 1026, 770}, TaskbarBottom, {0, 0, 1024, 738}},
    {"Top", 1024, 768, Tray, {-2, -2, 1026, 28}, TaskbarTop, {0, 28, 1024, 768}},
    {"Left", 1024, 768, Tray, {-2, -2, 60, 770}, TaskbarLeft, {60, 0, 1024, 768}},
    {"Right", 1024, 768, Tray, {960, -2, 1026, 770}, TaskbarRight, {0, 0, 958, 768}},
    {"HiddenAtBottom", 1024, 768, Tray, {-2, 766, 1026, 796}, TaskbarNotAtEdge, {0, 0, 1024, 768}},
    {"HiddenAtRight", 1024, 768, Tray, {1022, -2, 1086, 770}, TaskbarNotAtEdge, {0, 0, 1024, 768}},
    {"SizedForOtherScreen", 1280, 1024, Tray, {-2, 740, 1026, 770}, TaskbarNotAtEdge, {0, 0, 1280, 1024}},
    {"NoTaskbar", 1024, 768, nullptr, {}, TaskbarNotAtEdge, {0, 0, 1024, 768}},
    // The rules apply in order: the first that fits decides.
    {"HiddenRightBeatsRight", 1024, 768, Tray, {1022, -2, 1026, 770}, TaskbarNotAtEdge, {0, 0, 1024, 768}},
    {"TopBeatsBottom", 1024, 768, Tray, {-2, -2, 1026, 770}, TaskbarTop, {0, 768, 1024, 768}},
    {"ShortTopCountsAsLeft", 1024, 768, Tray, {-2, -2, 1025, 28}, TaskbarLeft, {1024, 0, 1024, 768}},
    // Misshapen bars neither overflow nor move the work area off screen.
    {"WiderThanScreen", 1024, 768, Tray, {-1, -2, LongMax, 770}, TaskbarRight, {0, 0, 0, 768}},
    {"TallerThanScreen", 1024, 768, Tray, {5, -1, 300, 770}, TaskbarBottom, {0, 0, 1024, 0}},
    {"Inverted", 1024, 768, Tray, {0, LongMax, 10, 770}, TaskbarBottom, {0, 0, 1024, 768}},
    {"FarOff", 1024, 768, Tray, {LongMin, LongMin, LongMax, LongMax}, TaskbarNotAtEdge, {0, 0, 1024, 768}},
};
} // namespace

TEST(DisplayPropertyTest, ClassifiesTheTaskbarAndLeavesTheRestAsWorkArea) {
  for (const TaskbarCase& row : TaskbarCases) {
    SCOPED_TRACE(row.Name);
    ResetDesktop();
    SetScreenSize(row.Width, row.Height);
    if (row.ClassName != nullptr) {
      ASSERT_NE(AddDesktopWindow(row.ClassName, nullptr, row.Bar), nullptr);
    }
    int width = -7, height = -7, position = -7;
    RECT workArea{-7, -7, -7, -7};
    GetDisplayProperty(width, height, position, workArea);
    EXPECT_EQ(width, row.Width);
    EXPECT_EQ(height, row.Height);
    EXPECT_EQ(position, row.Position);
    EXPECT_EQ(CRect(workArea), CRect(row.WorkArea));
  }
  ResetDesktop();
}
