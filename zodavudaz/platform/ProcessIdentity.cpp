#include <zodavudaz/platform/ProcessIdentity.h>

#include <unistd.h>

unsigned GetEffectiveUserId() noexcept { return static_cast<unsigned>(::geteuid()); }
