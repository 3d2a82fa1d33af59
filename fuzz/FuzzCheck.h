// The fuzz targets' assertion: a property that fails stops the run where it failed.
#ifndef ZODAVUDAZ_FUZZ_FUZZCHECK_H
#define ZODAVUDAZ_FUZZ_FUZZCHECK_H

/// Traps unless holds, so that the fuzzer keeps the input that broke the property.
inline void Check(bool holds) {
  if (!holds)
    __builtin_trap();
}

#endif
