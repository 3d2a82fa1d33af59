// Who the calling process acts as when it touches files.
#ifndef ZODAVUDAZ_PLATFORM_PROCESSIDENTITY_H
#define ZODAVUDAZ_PLATFORM_PROCESSIDENTITY_H

/// The user id that the host checks file permissions against (0: the privileged user).
unsigned GetEffectiveUserId() noexcept;

#endif
