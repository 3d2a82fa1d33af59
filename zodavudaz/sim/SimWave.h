// What a simulated channel's acquired data looks like: a waveform drawn point by point.
#ifndef ZODAVUDAZ_SIM_SIMWAVE_H
#define ZODAVUDAZ_SIM_SIMWAVE_H

#include <zodavudaz/platform/BaseTypes.h>
#include <zodavudaz/platform/Export.h>

#include <cstdint>

/// Seconds between two acquired points of a simulated module (the WAVEINF sample interval).
constexpr double SimSampleInterval = 0.001;

/// The largest magnitude of a waveform's amplitude, frequency and offset: within it every point is
/// finite (|offset| + |amplitude| at most 2e300, and frequency x point / 1000 well within a double).
constexpr double SimWaveLimit = 1e300;

/// Steps is the default pattern of SimAcqValue; the others follow Amplitude, Frequency and Offset.
enum class SimWaveShape { Steps, Sine, Square, Ramp, Noise };

/// One channel's waveform. Amplitude and Offset lie within -SimWaveLimit to SimWaveLimit and
/// Frequency within 0 to SimWaveLimit; beyond, points may be infinite or not a number.
struct SimWave {
  SimWaveShape Shape = SimWaveShape::Steps;
  /// Peak value around Offset.
  double Amplitude = 0;
  /// Cycles per second; for Noise, new values per second (0: a new value at every point). Points
  /// lie SimSampleInterval apart, so a frequency above 500 Hz aliases.
  double Frequency = 0;
  double Offset = 0;
};

/// The minimum or maximum of wave at signal point point (signal time point x SimSampleInterval):
/// Steps gives SimAcqValue moved on by seed, the others the same value for both. Noise and steps
/// depend only on their inputs, so the same seed gives the same values on every run and in both
/// builds. The formulas are in docs/virtual-stations.md.
ZODAVUDAZ_EXPORT double SimWaveValue(const SimWave& wave, WORD member, WORD channel, std::uint64_t point, DWORD seed,
                                     bool maximum) noexcept;

/// The number of points after which wave's minimum and maximum repeat bit for bit, from any point
/// on up to lastPoint: a whole frequency's sine, square and ramp depend only on the part of the
/// cycle, a whole number of thousandths, and steps on the point modulo 198. 0 where no such promise
/// holds: noise, a frequency that is not a whole number, or one whose product with lastPoint
/// exceeds the 64 bits the formulas keep exactly.
std::uint64_t SimWavePeriod(const SimWave& wave, std::uint64_t lastPoint) noexcept;

/// The shape named name ("steps", "sine", "square", "ramp", "noise"); false for any other name.
ZODAVUDAZ_EXPORT bool SimWaveShapeOf(const char* name, SimWaveShape& shape) noexcept;

#endif
