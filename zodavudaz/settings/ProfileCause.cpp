#include <zodavudaz/settings/ProfileCause.h>

#include <zodavudaz/settings/ProfileCauseSetter.h>

namespace {
thread_local ProfileCause LastCause = ProfileCause::None;
} // namespace

ProfileCause GetLastProfileCause() noexcept { return LastCause; }

void SetLastProfileCause(ProfileCause cause) noexcept { LastCause = cause; }
