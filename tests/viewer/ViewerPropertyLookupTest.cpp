#include <zodavudaz/viewer/ViewerPropertyLookup.h>

#include "tests/TempFiles.h"
#include <zodavudaz/entry/LibraryEntry.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {
// Station 3 "Delta" with module 2 of product "ZO4d02" in the process-wide database; the settings
// folder is a scratch folder.
class ViewerPropertyLookupTest : public ::testing::Test {
protected:
  void SetUp() override {
    Station.Name = "Delta";
    std::strcpy(Module->ProductName, "ZO4d02");
    Station.ModuleMap.SetAt(2, Module);
    GetDataBase()->StationMap.SetAt(3, &Station);
    GetDataBase()->SetCurrentPath(Folder.Path.string().c_str());
  }
  void TearDown() override {
    GetDataBase()->StationMap.RemoveAll();
    GetDataBase()->SetCurrentPath("");
    delete Module;
  }
  // The profile engine turns the backslash of the settings file's name into the host's.
  void Store(const std::string& lines, const char* file = "Mardel.ini") {
    WriteAll(Folder / file, "[StationDelta-Module2]\r\n" + lines);
  }
  TempFolder Folder;
  CStation Station;
  CModule* Module = new CModule;
};

TEST_F(ViewerPropertyLookupTest, StoredSettingsAreAcceptedOnlyForTheSameProduct) {
  const std::string viewer = "Viewer=ChannelNumber 2;GrNum 1;\r\nGroup1=Group1 Inlet;\r\n";
  struct Case {
    const char* Name;
    std::string Lines;
    WORD Station;
    WORD Slot;
    int Result;
    bool HasRecord;
  };
  const Case cases[] = {
      {"same product", "Product=ZO4d02 16-channel input\r\n" + viewer, 3, 2, 1, true},
      {"other product", "Product=ZO4b10\r\n" + viewer, 3, 2, 0, false},
      {"name in other case", "Product=zo4d02\r\n" + viewer, 3, 2, 0, false},
      {"empty viewer text", "Product=ZO4d02\r\nViewer=\r\n", 3, 2, 0, false},
      {"text that does not convert", "Product=ZO4d02\r\nViewer=Bogus;\r\n", 3, 2, 1, false},
      {"module not in the database", "Product=ZO4d02\r\n" + viewer, 3, 5, 0, false},
      {"unknown station", "Product=ZO4d02\r\n" + viewer, 9, 2, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Store(c.Lines);
    ViewerProperty* record = reinterpret_cast<ViewerProperty*>(1);
    EXPECT_EQ(GetViewerPropertyGui(c.Station, c.Slot, &record), c.Result);
    EXPECT_EQ(record != nullptr, c.HasRecord);
    EXPECT_TRUE(record == nullptr || record->GrName == nullptr) << "the default look-up reads no group key";
    ReleaseViewerProperty(record);
  }
  EXPECT_EQ(GetViewerPropertyGui(3, 2, nullptr), 0);
}

TEST_F(ViewerPropertyLookupTest, ExReadsTheRecordAndItsGroupsFromTheCallersFile) {
  Store("Product=ZO4d02\r\nViewer=ChannelNumber 2;GrNum 2;\r\nGroup1=Group1 Inlet;\r\nGroup2=Group2 Outlet;\r\n",
        "Other.ini");
  ViewerProperty* record = nullptr;
  ASSERT_EQ(GetViewerPropertyGuiEx(3, 2, &record, (Folder / "Other.ini").c_str()), 1);
  EXPECT_TRUE(std::strcmp(record->GrName[0], "Inlet") == 0 && std::strcmp(record->GrName[1], "Outlet") == 0);
  ReleaseViewerProperty(record);
}
} // namespace
