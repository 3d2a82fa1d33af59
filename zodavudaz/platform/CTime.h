// A point in time as the host framework's CTime: seconds since 1970, read back in local time.
#ifndef ZODAVUDAZ_PLATFORM_CTIME_H
#define ZODAVUDAZ_PLATFORM_CTIME_H

#include <zodavudaz/platform/BaseTypes.h>

/// Holds seconds since 1970-01-01 UTC (64-bit, so stamps from 0x80000000 on stay in range) and
/// their local calendar fields. The library's own: no installed header declares it, so it is not
/// exported.
class CTime {
public:
  /// The local time of seconds; IsValid() is false when the host cannot convert it.
  explicit CTime(long long seconds) noexcept;
  /// The current time.
  static CTime GetCurrentTime() noexcept;
  bool IsValid() const noexcept { return Valid; }
  /// Year in full, month from 1, day of month from 1, hour, minute and second.
  int GetYear() const noexcept { return Year; }
  int GetMonth() const noexcept { return Month; }
  int GetDay() const noexcept { return Day; }
  int GetHour() const noexcept { return Hour; }
  int GetMinute() const noexcept { return Minute; }
  int GetSecond() const noexcept { return Second; }

private:
  bool Valid = false;
  int Year = 0;
  int Month = 0;
  int Day = 0;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};

#endif
