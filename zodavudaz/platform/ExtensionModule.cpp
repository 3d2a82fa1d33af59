#include <zodavudaz/platform/ExtensionModule.h>

#include <dlfcn.h>

#include <utility>

/// The framework's list of extension libraries, ended at unload.
class DynLinkLibraryList {
public:
  DynLinkLibraryList() = default;
  DynLinkLibraryList(const DynLinkLibraryList&) = delete;
  DynLinkLibraryList& operator=(const DynLinkLibraryList&) = delete;
  ~DynLinkLibraryList() {
    while (Head != nullptr)
      delete std::exchange(Head, Head->Next);
  }

  void Add(CDynLinkLibrary& link) noexcept { link.Next = std::exchange(Head, &link); }

private:
  CDynLinkLibrary* Head = nullptr;
};

namespace {
ExtensionRegistration Registration;

// Made on first use, from a library's attach, so that it outlives the statics that fill it.
DynLinkLibraryList& Libraries() noexcept {
  static DynLinkLibraryList libraries;
  return libraries;
}
} // namespace

void AfxSetAsideClassLists() noexcept { ++Registration.ClassListsSetAside; }

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HINSTANCE module) noexcept {
  state.Initialized = TRUE;
  state.Module = module;
  ++Registration.ModulesInitialized;
  Registration.Module = module;
  return TRUE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& /*module*/) noexcept {
  ++Registration.LinksCreated;
  Libraries().Add(*this);
}

const ExtensionRegistration& GetExtensionRegistration() noexcept { return Registration; }

HINSTANCE GetModuleOf(const void* address) noexcept {
  Dl_info info{};
  if (dladdr(address, &info) == 0)
    return nullptr;
  return static_cast<HINSTANCE>(info.dli_fbase);
}
