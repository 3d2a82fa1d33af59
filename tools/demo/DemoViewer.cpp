#include "tools/demo/DemoScenes.h"

#include <zodavudaz/viewer/ViewerPropertyGroupText.h>
#include <zodavudaz/viewer/ViewerPropertyLookup.h>
#include <zodavudaz/viewer/ViewerPropertyText.h>

#include <cstdio>
#include <cstring>

namespace {
// Byte 14 carries the blanks of texts; shown as '~' so that it can be seen.
void PrintText(const char* label, const CString& text) {
  std::printf("%s (%d bytes):\n  ", label, text.GetLength());
  for (int i = 0; i < text.GetLength(); ++i)
    std::putchar(text[i] == 14 ? '~' : text[i]);
  std::printf("\n");
}

ViewerProperty* NewDemoRecord() {
  ViewerProperty* record = CreateViewerProperty(2);
  record->ChannelNumber = 2;
  record->StationID = 5;
  record->ModuleID = 2;
  record->TimeWidth = 0.005;
  record->MeasureItem = 0x3A;
  std::strcpy(record->MathLabel[0], "Inlet pressure");
  std::strcpy(record->MathUnit[0], "kPa");
  record->GrNum = 1;
  record->GrChNum = 2;
  Ascii2ViewerPropertyGr(record, CString());
  std::strcpy(record->GrName[0], "Pressures");
  record->GrChInfo[0] = GrChannel{0, 1, 0.0, 250.0, 0xFF0000, 0x808080};
  record->GrChInfo[1] = GrChannel{1, 1, -10.0, 10.0, 0x00FF00, 0x808080};
  return record;
}
} // namespace

void ShowViewerProperty(const DemoTargets& targets) {
  std::printf("== Viewer settings as text ==\n");
  ViewerProperty* record = NewDemoRecord();
  CString recordText;
  CString groupText;
  ViewerProperty2Ascii(record, recordText);
  ViewerProperty2AsciiGr(record, 0, groupText);
  PrintText("written record text", recordText);
  PrintText("written group text", groupText);

  ViewerProperty* readBack = Ascii2ViewerProperty(recordText);
  Ascii2ViewerPropertyGr(readBack, groupText);
  CString readText;
  CString readGroupText;
  ViewerProperty2Ascii(readBack, readText);
  ViewerProperty2AsciiGr(readBack, 0, readGroupText);
  PrintText("record read back and written again", readText);
  PrintText("group read back and written again", readGroupText);
  std::printf("(\";\" ends each statement; \"~\" shows byte 14, which carries the blanks inside a text value)\n");
  std::printf("texts equal: %s; label \"%s\", group \"%s\", MMAX %g\n\n",
              readText == recordText && readGroupText == groupText ? "yes" : "no", readBack->MathLabel[0],
              readBack->GrName[0], readBack->GrChInfo[0].MMAX);
  ReleaseViewerProperty(record);
  ReleaseViewerProperty(readBack);

  if (!targets.Acquisition) {
    std::printf("stored viewer settings: skipped, no module to read them for\n\n");
    return;
  }
  const DemoModule& target = *targets.Acquisition;
  ViewerProperty* stored = nullptr;
  const int found = GetViewerPropertyGui(target.Station, target.Slot, &stored);
  std::printf("stored viewer settings of station %u, module %u (\"Mardel.ini\"): result %d, %d channels, %d groups\n\n",
              target.Station, target.Slot, found, stored != nullptr ? stored->ChannelNumber : 0, GetGrNum(stored));
  ReleaseViewerProperty(stored);
}
