// Registration of an extension library with the host framework.
#ifndef ZODAVUDAZ_PLATFORM_EXTENSIONMODULE_H
#define ZODAVUDAZ_PLATFORM_EXTENSIONMODULE_H

#include <zodavudaz/platform/BaseTypes.h>

/// The framework's record of one extension library.
struct AFX_EXTENSION_MODULE {
  BOOL Initialized;
  HINSTANCE Module;
};

/// Moves the framework's lists of registered classes and factories aside for the library being
/// loaded and starts them empty; runs before the library's static objects are constructed.
void AfxSetAsideClassLists() noexcept;

/// Records module as an extension library with its instance handle; TRUE.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HINSTANCE module) noexcept;

/// The framework's link object that chains an extension library into its list of libraries; the list
/// owns it and deletes it when the framework ends the list at unload.
class CDynLinkLibrary {
public:
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state) noexcept;
  CDynLinkLibrary(const CDynLinkLibrary&) = delete;
  CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

private:
  friend class DynLinkLibraryList;
  CDynLinkLibrary* Next = nullptr;
};

/// What the framework has recorded of the library's registration.
struct ExtensionRegistration {
  int ClassListsSetAside;
  int ModulesInitialized;
  int LinksCreated;
  HINSTANCE Module;
};
const ExtensionRegistration& GetExtensionRegistration() noexcept;

/// The handle of the loaded object that contains address.
HINSTANCE GetModuleOf(const void* address) noexcept;

#endif
