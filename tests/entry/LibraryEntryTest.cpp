#include "entry/LibraryEntry.h"
#include "platform/ExtensionModule.h"

#include <gtest/gtest.h>

namespace {
void FunctionOfTheProgram() {}
} // namespace

TEST(LibraryEntryTest, RegistersOnceAsExtensionLibraryOnLoad) {
  const ExtensionRegistration& registration = GetExtensionRegistration();
  EXPECT_EQ(registration.ClassListsSetAside, 1);
  EXPECT_EQ(registration.ModulesInitialized, 1);
  EXPECT_EQ(registration.LinksCreated, 1);
  EXPECT_EQ(registration.Module, GetModuleOf(reinterpret_cast<const void*>(&GetDataBase)));
  EXPECT_NE(registration.Module, GetModuleOf(reinterpret_cast<const void*>(&FunctionOfTheProgram)));
}

TEST(LibraryEntryTest, ProcessWideObjectsKeepTheirAddress) {
  EXPECT_EQ(GetDataBase(), GetDataBase());
  EXPECT_EQ(GetMardelPath(), GetMardelPath());
  EXPECT_EQ(GetConfigInf(), GetConfigInf());
}

TEST(LibraryEntryTest, LoadedStateIsEmpty) {
  for (BYTE byte : GetConfigInf()->Bytes)
    EXPECT_EQ(byte, 0);
  EXPECT_TRUE(GetMardelPath()->IsEmpty());
  EXPECT_EQ(GetDataBase()->GetFrontendNo(), 0xFFFF);
}

TEST(LibraryEntryTest, MardelPathIsStoredByValue) {
  CString path("/opt/zo");
  SetMardelPath(path);
  path += "/x";
  EXPECT_STREQ(*GetMardelPath(), "/opt/zo");
  ZocInit();
  SetMardelPath(CString());
}
