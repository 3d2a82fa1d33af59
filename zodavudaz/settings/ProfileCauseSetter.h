// The settings calls' side of GetLastProfileCause: each records why it gave 0.
#ifndef ZODAVUDAZ_SETTINGS_PROFILECAUSESETTER_H
#define ZODAVUDAZ_SETTINGS_PROFILECAUSESETTER_H

#include <zodavudaz/settings/ProfileCause.h>

/// Records cause as what GetLastProfileCause answers on the calling thread.
void SetLastProfileCause(ProfileCause cause) noexcept;

/// Whether cause is that of a call that gave 1: None, or a notice.
constexpr bool IsProfileSuccess(ProfileCause cause) noexcept {
  return cause == ProfileCause::None || cause == ProfileCause::StaleJournal || cause == ProfileCause::UnprotectedWrite;
}

/// Records cause and gives a settings call's result for it: 1 for None and the notices, 0
/// otherwise.
inline int ProfileResult(ProfileCause cause) noexcept {
  SetLastProfileCause(cause);
  return IsProfileSuccess(cause) ? 1 : 0;
}

#endif
