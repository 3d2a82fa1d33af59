// A count of the blocks that the global allocation operators have handed out and not taken back.
#ifndef TESTS_SIM_LIVEALLOCATIONS_H
#define TESTS_SIM_LIVEALLOCATIONS_H

/// Blocks allocated with new and not yet deleted, in the whole process (the libraries included):
/// exact whatever the C allocator caches, and available where no leak checker can run.
long LiveAllocations() noexcept;

#endif
