#include <zodavudaz/entry/LibraryEntry.h>

#include <zodavudaz/platform/ExtensionModule.h>

#include <new>

namespace {
constexpr int ProcessDetach = 0;
constexpr int ProcessAttach = 1;

AFX_EXTENSION_MODULE ExtensionState;

/// The framework's convention for extension libraries: its class lists go aside before any of the
/// library's static objects is constructed.
struct ClassListsAside {
  ClassListsAside() noexcept { AfxSetAsideClassLists(); }
};

/// Runs the entry point on attach, after the process-wide objects exist.
struct LibraryAttach {
  LibraryAttach() noexcept;
  ~LibraryAttach();
};

// Construction follows declaration order: lists aside, database, path string, then attach.
ClassListsAside SetAside;
CGUIDatabase DataBase;
CString MardelPath;
ConfigInf Config;
LibraryAttach Attach;

BOOL LibraryMain(HINSTANCE instance, int reason) noexcept {
  if (reason == ProcessAttach) {
    AfxInitExtensionModule(ExtensionState, instance);
    // The framework's list of libraries owns the link and deletes it at unload; a failed
    // allocation still attaches.
    new (std::nothrow) CDynLinkLibrary(ExtensionState);
  }
  return TRUE;
}

LibraryAttach::LibraryAttach() noexcept { LibraryMain(GetModuleOf(&DataBase), ProcessAttach); }
LibraryAttach::~LibraryAttach() { LibraryMain(GetModuleOf(&DataBase), ProcessDetach); }
} // namespace

CGUIDatabase* GetDataBase() noexcept { return &DataBase; }

ConfigInf* GetConfigInf() noexcept { return &Config; }

void SetMardelPath(const CString& path) noexcept { MardelPath = path; }

CString* GetMardelPath() noexcept { return &MardelPath; }

void ZocInit() noexcept {}
