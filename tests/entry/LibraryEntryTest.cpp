#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/platform/ExtensionModule.h>

#include <gtest/gtest.h>

TEST(LibraryEntryTest, RegistersOnceAsExtensionLibraryOnLoad) {
  const ExtensionRegistration& registration = GetExtensionRegistration();
  EXPECT_EQ(registration.ClassListsSetAside, 1);
  EXPECT_EQ(registration.ModulesInitialized, 1);
  EXPECT_EQ(registration.LinksCreated, 1);
  // Test programs link the library's objects, so the library's module is the program's here.
  EXPECT_EQ(registration.Module, GetModuleOf(reinterpret_cast<const void*>(&GetDataBase)));
  EXPECT_NE(registration.Module, nullptr);
}

TEST(LibraryEntryTest, ProcessWideObjectsKeepTheirAddress) {
  EXPECT_EQ(GetDataBase(), GetDataBase());
  EXPECT_EQ(GetMardelPath(), GetMardelPath());
  EXPECT_EQ(GetConfigInf(), GetConfigInf());
}
