// The text of every status of the C interface.
#include <zodavudaz/zodavudaz_c.h>

const char* zdz_status_text(int32_t status) {
  switch (status) {
  case ZDZ_OK: return "success";
  case ZDZ_E_ARGUMENT: return "bad argument";
  case ZDZ_E_UNKNOWN: return "unknown station, module or keyword";
  case ZDZ_E_HANDLE: return "not a live handle";
  case ZDZ_E_BUFFER_TOO_SMALL: return "buffer too small";
  case ZDZ_E_NO_MEMORY: return "out of memory";
  case ZDZ_E_NOT_FOUND: return "not found";
  case ZDZ_E_BUSY: return "settings file busy";
  case ZDZ_E_REFUSED_NAME: return "name or value refused by the settings format";
  case ZDZ_E_FILE_SYSTEM: return "file-system failure";
  case ZDZ_E_ORDER: return "call out of order";
  case ZDZ_E_EXISTS: return "id already filed";
  case ZDZ_E_STOPPED: return "packet dispatch stopped by a handler";
  case ZDZ_E_TIMEOUT: return "nothing came before the time-out";
  case 205: return "unknown station or module";
  case 207: return "slot cannot be tested";
  case 302: return "no wave information";
  case 400: return "scratch memory could not be allocated";
  case 502: return "unknown station or module, or current data refused";
  case 0xFFFF: return "missing module or failed sequence request";
  default: return status > 0 && status <= 0xFFFF ? "error of the frontend or communication library" : "unknown status";
  }
}
