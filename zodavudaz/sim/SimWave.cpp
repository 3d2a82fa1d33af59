#include <zodavudaz/sim/SimWave.h>

#include <zodavudaz/sim/SimControl.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <numbers>
#include <numeric>

namespace {
// Every formula runs in long double, which is the same x87 extended format in both builds, and
// is rounded to double once at its end: the i386 build's x87 registers would otherwise round
// differently from the native build's SSE.
using Exact = long double;

constexpr Exact PointsPerCycleUnit = 1000;
constexpr std::uint64_t StepsPeriod = 198;

/// The part of the current cycle at point, in thousandths: a whole number whenever the frequency
/// is one, so that integer types land on the exact value.
Exact ThousandthsOf(const SimWave& wave, std::uint64_t point) noexcept {
  return std::fmod(static_cast<Exact>(wave.Frequency) * static_cast<Exact>(point), PointsPerCycleUnit);
}

/// A value in [-1, 1) that depends only on its inputs, so that repeated requests agree.
double NoiseOf(WORD member, WORD channel, std::uint64_t step, DWORD seed) noexcept {
  std::uint64_t mixed = (std::uint64_t{member} << 48) ^ (std::uint64_t{channel} << 32) ^ step;
  mixed ^= seed * 0x9E3779B97F4A7C15ull;
  mixed ^= mixed >> 33;
  mixed *= 0xFF51AFD7ED558CCDull;
  mixed ^= mixed >> 33;
  mixed *= 0xC4CEB9FE1A85EC53ull;
  mixed ^= mixed >> 33;
  return static_cast<double>(mixed >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

std::uint64_t NoiseStep(const SimWave& wave, std::uint64_t point) noexcept {
  if (wave.Frequency <= 0 || wave.Frequency >= PointsPerCycleUnit)
    return point;
  return static_cast<std::uint64_t>(std::floor(static_cast<Exact>(point) * wave.Frequency / PointsPerCycleUnit));
}

double StepsOf(WORD member, WORD channel, std::uint64_t point, DWORD seed, bool maximum) noexcept {
  const double sample = 1 + static_cast<double>((point + 10ull * channel + 50ull * member + seed) % StepsPeriod);
  return maximum ? sample + 1 : sample - 1;
}

double Scaled(const SimWave& wave, Exact unit) noexcept {
  return static_cast<double>(static_cast<Exact>(wave.Offset) + static_cast<Exact>(wave.Amplitude) * unit);
}
} // namespace

double SimWaveValue(const SimWave& wave, WORD member, WORD channel, std::uint64_t point, DWORD seed,
                    bool maximum) noexcept {
  switch (wave.Shape) {
  case SimWaveShape::Sine:
    return Scaled(wave, std::sin(2 * std::numbers::pi * static_cast<double>(ThousandthsOf(wave, point) / 1000)));
  case SimWaveShape::Square: return Scaled(wave, ThousandthsOf(wave, point) < 500 ? 1 : -1);
  case SimWaveShape::Ramp:
    return static_cast<double>(static_cast<Exact>(wave.Offset) +
                               static_cast<Exact>(wave.Amplitude) * (2 * ThousandthsOf(wave, point) - 1000) / 1000);
  case SimWaveShape::Noise: return Scaled(wave, NoiseOf(member, channel, NoiseStep(wave, point), seed));
  case SimWaveShape::Steps: break;
  }
  return StepsOf(member, channel, point, seed, maximum);
}

std::uint64_t SimWavePeriod(const SimWave& wave, std::uint64_t lastPoint) noexcept {
  constexpr std::uint64_t Largest = std::numeric_limits<std::uint64_t>::max();
  if (wave.Shape == SimWaveShape::Noise)
    return 0;
  // Below 2^63 the steps' sum with channel, member and seed cannot wrap.
  if (wave.Shape == SimWaveShape::Steps)
    return lastPoint < Largest / 2 ? StepsPeriod : 0;
  // A whole frequency times a point below 2^64 is exact in the 64-bit significand, so r is the
  // integer remainder, which repeats after 1000 / gcd(frequency, 1000) points.
  if (!(wave.Frequency >= 0 && wave.Frequency < 0x1p63 && std::floor(wave.Frequency) == wave.Frequency))
    return 0;
  const auto frequency = static_cast<std::uint64_t>(wave.Frequency);
  if (frequency != 0 && lastPoint > Largest / frequency)
    return 0;
  const auto cycle = static_cast<std::uint64_t>(PointsPerCycleUnit);
  return cycle / std::gcd(frequency % cycle, cycle);
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
