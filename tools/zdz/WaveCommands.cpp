// zdz wave values: the points of a simulated waveform as the virtual stations compute them, each as
// an exact hexadecimal double, so that two builds' values can be compared bit for bit.
#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/sim/SimWave.h>

#include <charconv>
#include <cstdint>
#include <cstdio>

namespace {
constexpr long MostPoints = 1000000;

template <typename T>
bool ParseWhole(const std::string& text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseReal(const std::string& text, double& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

int RunValues(const ToolArguments& args) {
  SimWave wave;
  std::uint32_t seed = 0;
  long first = 0, count = 0;
  if (!SimWaveShapeOf(args[0].c_str(), wave.Shape))
    return Fail(ExitBadInput, "unknown waveform \"%s\" (steps, sine, square, ramp or noise)", args[0].c_str());
  if (!ParseReal(args[1], wave.Amplitude) || !ParseReal(args[2], wave.Frequency) || !ParseReal(args[3], wave.Offset))
    return Fail(ExitBadInput, "AMPLITUDE, FREQUENCY and OFFSET are decimal numbers");
  if (!ParseWhole(args[4], seed) || !ParseNumber(args[5], 0, 0x7FFFFFFFL, first) ||
      !ParseNumber(args[6], 0, MostPoints, count))
    return Fail(ExitBadInput, "SEED is 0 to 4294967295, FIRST 0 to 2147483647, COUNT 0 to %ld", MostPoints);
  for (long point = first; point < first + count; ++point) {
    const auto at = static_cast<std::uint64_t>(point);
    std::printf("%ld %a %a\n", point, SimWaveValue(wave, 0, 1, at, seed, false),
                SimWaveValue(wave, 0, 1, at, seed, true));
  }
  return ExitDone;
}
} // namespace

const ToolCommand WaveCommands[] = {
    {"wave", "values", "SHAPE AMPLITUDE FREQUENCY OFFSET SEED FIRST COUNT",
     "prints COUNT signal points from FIRST of the waveform (channel 1 of member 0), minimum and maximum as "
     "exact hexadecimal doubles",
     7, 7, RunValues},
    {nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
};
