#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/platform/ExtensionModule.h>

#include <gtest/gtest.h>

#include <tuple>

TEST(LibraryEntryTest, RegistersOnceAsExtensionLibraryOnLoad) {
  const ExtensionRegistration& registration = GetExtensionRegistration();
  EXPECT_EQ(std::tie(registration.ClassListsSetAside, registration.ModulesInitialized, registration.LinksCreated),
            std::make_tuple(1, 1, 1));
  // Test programs link the library's objects, so the library's module is the program's here.
  EXPECT_EQ(registration.Module, GetModuleOf(reinterpret_cast<const void*>(&GetDataBase)));
  EXPECT_NE(registration.Module, nullptr);
}

// The objects are the library's own, made at load in their empty state, not one per call.
TEST(LibraryEntryTest, ProcessWideObjectsAreTheLibrarysFromLoad) {
  const void* objects[] = {GetDataBase(), GetMardelPath(), GetConfigInf()};
  for (const void* object : objects)
    EXPECT_EQ(GetModuleOf(object), GetExtensionRegistration().Module);
  EXPECT_EQ(std::make_tuple(GetDataBase(), GetMardelPath(), GetConfigInf()),
            std::make_tuple(objects[0], objects[1], objects[2]));
  for (BYTE byte : GetConfigInf()->Bytes)
    EXPECT_EQ(byte, 0);
  EXPECT_TRUE(GetMardelPath()->IsEmpty());
  EXPECT_EQ(GetDataBase()->GetFrontendNo(), 0xFFFF);
}
