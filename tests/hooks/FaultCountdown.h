// The countdown of an armed test fault: the call it fails, once or from then on.
#ifndef ZODAVUDAZ_TESTS_HOOKS_FAULTCOUNTDOWN_H
#define ZODAVUDAZ_TESTS_HOOKS_FAULTCOUNTDOWN_H

/// Counts the calls a fault applies to down to the one it fails, and the faults fired.
class FaultCountdown {
public:
  /// Fails the callNumber-th call (from 1) from now on; persistent also fails every later one.
  /// Resets the count of faults fired.
  void Arm(int callNumber, bool persistent) noexcept {
    CallsLeft = callNumber < 1 ? 1 : callNumber;
    Persistent = persistent;
    Fired = 0;
  }
  void Disarm() noexcept { CallsLeft = 0; }
  int GetFired() const noexcept { return Fired; }
  /// Counts this call; whether it is one to fail.
  bool Strikes() noexcept {
    if (CallsLeft == 0 || --CallsLeft > 0)
      return false;
    // A persistent fault stays one call away.
    if (Persistent)
      CallsLeft = 1;
    ++Fired;
    return true;
  }

private:
  int CallsLeft = 0; // 0: disarmed
  bool Persistent = false;
  int Fired = 0;
};

#endif
