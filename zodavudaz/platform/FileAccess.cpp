#include <zodavudaz/platform/FileAccess.h>

namespace {
FileAccess* Installed = nullptr;
}

FileAccess& GetFileAccess() noexcept { return Installed != nullptr ? *Installed : GetHostFileAccess(); }

void SetFileAccess(FileAccess* access) noexcept { Installed = access; }
