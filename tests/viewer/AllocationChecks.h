// Runs of a test with each of the library's block allocations failing in turn.
#ifndef ZODAVUDAZ_TESTS_VIEWER_ALLOCATIONCHECKS_H
#define ZODAVUDAZ_TESTS_VIEWER_ALLOCATIONCHECKS_H

#include "tests/hooks/BlockFaults.h"

#include <gtest/gtest.h>

#include <functional>

/// Runs attempt with the first, second, ... NewBlock call failing, until a run meets no fault;
/// attempt tells a faulted run by GetBlockFaultCount. What a run leaks, the sanitizer build's leak
/// check reports.
inline void ForEachBlockFault(const std::function<void()>& attempt) {
  for (int call = 1;; ++call) {
    SCOPED_TRACE(call);
    ArmBlockFault(call, false);
    attempt();
    const bool faulted = GetBlockFaultCount() > 0;
    DisarmBlockFault();
    if (!faulted)
      return;
  }
}

#endif
