#include <zodavudaz/sim/SimWave.h>

#include <zodavudaz/sim/SimControl.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>

namespace {
// Dividing by a whole rate keeps phases such as 0.5 exact in both builds (x87 keeps more bits of a
// product with the inexact interval).
constexpr double PointsPerSecond = 1 / SimSampleInterval;

/// The fraction of the current cycle at point.
double PhaseOf(const SimWave& wave, DWORD point) noexcept {
  const double cycles = wave.Frequency * point / PointsPerSecond;
  return cycles - std::floor(cycles);
}

/// A value in [-1, 1) that depends only on its inputs, so that repeated requests agree.
double NoiseOf(WORD member, WORD channel, DWORD step) noexcept {
  std::uint64_t mixed = (std::uint64_t{member} << 48) ^ (std::uint64_t{channel} << 32) ^ step;
  mixed ^= mixed >> 33;
  mixed *= 0xFF51AFD7ED558CCDull;
  mixed ^= mixed >> 33;
  mixed *= 0xC4CEB9FE1A85EC53ull;
  mixed ^= mixed >> 33;
  return static_cast<double>(mixed >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

DWORD NoiseStep(const SimWave& wave, DWORD point) noexcept {
  if (wave.Frequency <= 0)
    return point;
  const double pointsPerValue = PointsPerSecond / wave.Frequency;
  return pointsPerValue <= 1 ? point : static_cast<DWORD>(point / pointsPerValue);
}
} // namespace

double SimWaveValue(const SimWave& wave, WORD member, WORD channel, DWORD point, bool maximum) noexcept {
  switch (wave.Shape) {
  case SimWaveShape::Sine: return wave.Offset + wave.Amplitude * std::sin(2 * std::numbers::pi * PhaseOf(wave, point));
  case SimWaveShape::Square: return wave.Offset + (PhaseOf(wave, point) < 0.5 ? wave.Amplitude : -wave.Amplitude);
  case SimWaveShape::Ramp: return wave.Offset + wave.Amplitude * (2 * PhaseOf(wave, point) - 1);
  case SimWaveShape::Noise: return wave.Offset + wave.Amplitude * NoiseOf(member, channel, NoiseStep(wave, point));
  case SimWaveShape::Steps: break;
  }
  return SimAcqValue(member, channel, point, maximum);
}

bool SimWaveShapeOf(const char* name, SimWaveShape& shape) noexcept {
  static constexpr struct {
    const char* Name;
    SimWaveShape Shape;
  } Shapes[] = {{"steps", SimWaveShape::Steps},
                {"sine", SimWaveShape::Sine},
                {"square", SimWaveShape::Square},
                {"ramp", SimWaveShape::Ramp},
                {"noise", SimWaveShape::Noise}};
  for (const auto& each : Shapes)
    if (name != nullptr && std::strcmp(name, each.Name) == 0) {
      shape = each.Shape;
      return true;
    }
  return false;
}
