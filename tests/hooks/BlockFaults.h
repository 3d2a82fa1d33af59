// Test control of the library's block allocations: make the Nth one fail, or refuse large ones.
#ifndef ZODAVUDAZ_TESTS_HOOKS_BLOCKFAULTS_H
#define ZODAVUDAZ_TESTS_HOOKS_BLOCKFAULTS_H

#include <cstddef>

/// Makes the callNumber-th NewBlock call from now fail, once or from then on.
void ArmBlockFault(int callNumber, bool persistent) noexcept;
void DisarmBlockFault() noexcept;
/// How many allocations the armed fault has refused.
int GetBlockFaultCount() noexcept;
/// Refuses blocks larger than maxSize bytes (0: no limit).
void LimitBlockSize(std::size_t maxSize) noexcept;

#endif
