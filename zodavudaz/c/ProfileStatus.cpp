#include <zodavudaz/c/ProfileStatus.h>

#include <zodavudaz/settings/ProfileCauseSetter.h>

int32_t FailedProfileStatus() noexcept {
  switch (GetLastProfileCause()) {
  case ProfileCause::Busy: return ZDZ_E_BUSY;
  case ProfileCause::RefusedName: return ZDZ_E_REFUSED_NAME;
  case ProfileCause::FileSystemFailure: return ZDZ_E_FILE_SYSTEM;
  default: return ZDZ_E_NOT_FOUND;
  }
}

int32_t LastProfileStatus() noexcept {
  return IsProfileSuccess(GetLastProfileCause()) ? ZDZ_OK : FailedProfileStatus();
}
