// The module self-test of a module or of a member of a connected group.
#ifndef ZODAVUDAZ_CONTROL_MODULETEST_H
#define ZODAVUDAZ_CONTROL_MODULETEST_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

/// Result of the module test for a slot that cannot be tested (after error box 47).
constexpr WORD ModuleTestBadSlot = 207;
/// Words of a module test's results: the mask of available result words, then 16 result words.
constexpr int ModuleTestResultWords = 17;
/// Item that runs the whole test rather than one item.
constexpr WORD ModuleTestAllItems = 0xFF;

/// Runs test item (or all) on the group master of slot (1 to 8, or 0, 0xFF, 0xFFFF for the slot
/// itself) and reads the mask and the result words it marks into results (17 words, zeroed
/// first). The test's own result, the execution's result when it fails, 207 for an unusable slot,
/// 0xFFFF for null results. The thread's reply record is left with time-out 10000 and
/// error-message mode 1.
ZODAVUDAZ_EXPORT WORD ZocExecModuleTest(WORD station, WORD slot, WORD item, WORD* results) noexcept;

#endif
