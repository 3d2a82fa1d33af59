// Counts the blocks of the global allocator that are in use, so tests can tell that nothing leaked.
#ifndef TESTS_VIEWER_LIVEBLOCKS_H
#define TESTS_VIEWER_LIVEBLOCKS_H

/// Blocks allocated with the global operator new and not yet deleted, by any code of the process.
int LiveBlocks();

#endif
