// Allocation checks of the tests: blocks in use, and runs with each allocation failing in turn.
#ifndef ZODAVUDAZ_TESTS_VIEWER_ALLOCATIONCHECKS_H
#define ZODAVUDAZ_TESTS_VIEWER_ALLOCATIONCHECKS_H

#include <functional>

/// Blocks allocated with the global operator new and not yet deleted, by any code of the process.
int LiveBlocks();

/// Runs attempt with the first, second, ... NewBlock call failing, until a run meets no fault,
/// and checks that every run frees what it allocates; attempt tells a faulted run by
/// GetBlockFaultCount.
void ForEachBlockFault(const std::function<void()>& attempt);

#endif
