#include <zodavudaz/packets/siblings/CFeFrontend.h>

CFeFrontend::CFeFrontend(const CFeFrontend& other) noexcept = default;
CFeFrontend& CFeFrontend::operator=(const CFeFrontend& other) noexcept = default;

CFeFrontend::CMODULE::CMODULE(const CMODULE& other) noexcept = default;
CFeFrontend::CMODULE& CFeFrontend::CMODULE::operator=(const CMODULE& other) noexcept = default;

CFeFrontend::CTIMER::CTIMER(const CTIMER& other) noexcept = default;
CFeFrontend::CTIMER& CFeFrontend::CTIMER::operator=(const CTIMER& other) noexcept = default;

CFeFrontend::CVIEWER::CVIEWER(const CVIEWER& other) noexcept = default;
CFeFrontend::CVIEWER& CFeFrontend::CVIEWER::operator=(const CVIEWER& other) noexcept = default;

CFeFrontend::CFILE::CFILE(const CFILE& other) noexcept = default;
CFeFrontend::CFILE& CFeFrontend::CFILE::operator=(const CFILE& other) noexcept = default;
