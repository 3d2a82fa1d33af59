#include <zodavudaz/platform/ExtensionModule.h>

#include <dlfcn.h>

namespace {
ExtensionRegistration Registration;
}

void AfxSetAsideClassLists() noexcept { ++Registration.ClassListsSetAside; }

BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HINSTANCE module) noexcept {
  state.Initialized = TRUE;
  state.Module = module;
  ++Registration.ModulesInitialized;
  Registration.Module = module;
  return TRUE;
}

CDynLinkLibrary::CDynLinkLibrary(AFX_EXTENSION_MODULE& /*module*/) noexcept { ++Registration.LinksCreated; }

const ExtensionRegistration& GetExtensionRegistration() noexcept { return Registration; }

HINSTANCE GetModuleOf(const void* address) noexcept {
  Dl_info info{};
  if (dladdr(address, &info) == 0)
    return nullptr;
  return static_cast<HINSTANCE>(info.dli_fbase);
}
