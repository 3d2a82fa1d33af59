#include <zodavudaz/database/CGUIDatabase.h>

namespace {
constexpr WORD FreeNumber = 0xFFFF;
constexpr int FrontendNumberCount = 15;
} // namespace

// Every flag starts at zero, so that a database built anywhere (not only the process-wide one)
// reads as the loaded library does.
CGUIDatabase::CGUIDatabase() noexcept
    : StationMap(10), GuiAllModule(0), GuiPower(0), ViewerHeight(0), ViewerWidth(0), SystemErrorLog(0),
      SystemLanguage(0), ParamPower(0), OnePanel(0), DblClickPanel(0), NonLoad(0), NonToolTip(0), PowerMsg(0),
      ParamStart(0), DefaultSave(0) {}

CGUIDatabase::~CGUIDatabase() = default;

void CGUIDatabase::Init() noexcept {
  FrontendNoTable.SetSize(FrontendNumberCount);
  ClearFrontendNo();
}

WORD CGUIDatabase::GetFrontendNo() const noexcept {
  for (int index = 0; index < FrontendNoTable.GetSize(); ++index)
    if (FrontendNoTable[index] == FreeNumber)
      return static_cast<WORD>(index + 1);
  return FreeNumber;
}

void CGUIDatabase::SetFrontendNo() noexcept {
  for (int index = 0; index < FrontendNoTable.GetSize(); ++index) {
    if (FrontendNoTable[index] == FreeNumber) {
      FrontendNoTable[index] = static_cast<WORD>(index);
      return;
    }
  }
}

void CGUIDatabase::ClearFrontendNo(WORD number) noexcept {
  // Numbers outside the table have no entry to free.
  if (number >= 1 && number <= FrontendNoTable.GetSize())
    FrontendNoTable[number - 1] = FreeNumber;
}

void CGUIDatabase::ClearFrontendNo() noexcept {
  for (int index = 0; index < FrontendNoTable.GetSize(); ++index)
    FrontendNoTable[index] = FreeNumber;
}
