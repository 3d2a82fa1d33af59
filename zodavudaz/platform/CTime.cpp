#include <zodavudaz/platform/CTime.h>

#include <ctime>

CTime::CTime(long long seconds) noexcept {
  const std::time_t value = static_cast<std::time_t>(seconds);
  std::tm local = {};
  // A time_t too narrow for the stamp (a build without 64-bit time) leaves it unconverted.
  if (static_cast<long long>(value) != seconds || localtime_r(&value, &local) == nullptr)
    return;
  Valid = true;
  Year = local.tm_year + 1900;
  Month = local.tm_mon + 1;
  Day = local.tm_mday;
  Hour = local.tm_hour;
  Minute = local.tm_min;
  Second = local.tm_sec;
}

CTime CTime::GetCurrentTime() noexcept { return CTime(static_cast<long long>(std::time(nullptr))); }
