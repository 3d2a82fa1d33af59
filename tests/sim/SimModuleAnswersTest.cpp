#include <zodavudaz/sim/SimControl.h>

#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/packets/WireField.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cstdint>
#include <set>
#include <vector>

namespace {
using enum SimWaveShape;
constexpr WORD CntlAcqData = 0x40C;
constexpr WORD LongType = 0x21;

/// A simulated module's acquired data, asked for with the six values the library sends.
class SimModuleAnswersTest : public ::testing::Test {
protected:
  ~SimModuleAnswersTest() override { SimReset(); }

  void Make(const SimModuleConfig& config) {
    SimReset();
    Frontend = SimCreateFrontend(config);
    ASSERT_NE(Frontend, nullptr);
  }

  /// The reply's elements as doubles; Result, Type set.
  std::vector<double> Ask(LONG channel, LONG start, LONG points, LONG direction) {
    LONG input[6] = {channel, 0, start, 0, points, direction};
    std::vector<BYTE> buffer(1 << 16, 0xCC);
    DWORD count = 0;
    CRplySync sync;
    Result = Frontend->Query(CmdGroupQuery, CntlAcqData, input, LongType, 6, buffer.data(), &Type, &count,
                             static_cast<DWORD>(buffer.size()), &sync, 0);
    std::vector<double> values;
    for (DWORD index = 0; Result == 0 && index < count; ++index)
      values.push_back(ElementAt(buffer, index));
    return values;
  }

  double ElementAt(const std::vector<BYTE>& bytes, DWORD index) const {
    switch (Type) {
    case 0x00: return LoadWire<BYTE>(bytes.data(), index);
    case 0x10:
    case 0x11: return LoadWire<std::int16_t>(bytes.data(), index * 2);
    case 0x20:
    case 0x21: return LoadWire<std::int32_t>(bytes.data(), index * 4);
    case 0x22: return LoadWire<float>(bytes.data(), index * 4);
    default: return LoadWire<double>(bytes.data(), index * 8);
    }
  }

  CFeModule* Frontend = nullptr;
  WORD Result = 0xBEEF;
  WORD Type = 0xBEEF;
};

struct RangeRow {
  const char* Name;
  LONG Channel, Start, Points, Direction;
  /// The points answered, in order; each comes as its minimum and maximum.
  std::vector<double> PointNumbers;
  WORD Result = 0;
};

// Of 100 points and four channels; the default pattern's minimum of channel 0 is the point's
// number below 198, channel 1's ten more. The plain ranges forward and backward, cut at either end,
// are python/tests/test_acquisition.py's.
const RangeRow RangeRows[] = {
    {"AnyDirectionButMinusOneIsForward", 0, 10, 2, 5, {10, 11}},
    {"AllPointsForward", 0, 97, -1, 0, {97, 98, 99}},
    {"AllPointsBackward", 0, 2, -1, -1, {0, 1, 2}},
    {"NegativeStartIsPointZero", 0, -3, 2, 0, {0, 1}},
    {"NegativeChannelReadsChannelZero", -1, 0, 1, 0, {0}},
    {"ChannelBeyondTheModulesIsRefused", 4, 0, 1, 0, {}, SimBadRequest},
};

TEST_F(SimModuleAnswersTest, AcquiredPointsOfTheChannelRunFromTheStartPointInTheDirectionAsked) {
  Make({.DataType = 0x32, .PointNum = 100});
  for (const RangeRow& row : RangeRows) {
    SCOPED_TRACE(row.Name);
    std::vector<double> expected;
    for (double point : row.PointNumbers)
      expected.insert(expected.end(), {point, point + 2});
    EXPECT_EQ(Ask(row.Channel, row.Start, row.Points, row.Direction), expected);
    EXPECT_EQ(Result, row.Result);
  }
}

struct PeriodRow {
  const char* Name;
  SimWave Wave;
  LONG Start, Points;
};

// Replies whose values repeat are copied on from one period; each must still equal the formula at
// every point, and waves that do not repeat exactly must not be copied.
const PeriodRow PeriodRows[] = {
    {"WholeSine", {Sine, 1e6, 7, 3}, 0, 2500},
    {"WholeSineAboveTheSampleRate", {Sine, 1e6, 1234, 0}, 5, 700},
    {"SineOfAThousand", {Sine, 1e6, 1000, 1}, 0, 10},
    {"SquareFromAPoint", {Square, 2, 250, 0}, 3, 11},
    {"RampOfWholeNumbers", {Ramp, 30000, 3, 10000}, 40, 700},
    {"FractionalFrequency", {Sine, 1e6, 2.5, 0}, 0, 1200},
    {"ProductBeyond64Bits", {Sine, 1e6, 9007199254740991.0, 0}, 1500, 2500},
    {"Noise", {Noise, 1, 250, 0}, 0, 20},
    {"Steps", {}, 10, 500},
};

TEST_F(SimModuleAnswersTest, AcquiredValuesFollowTheFormulaAtEveryPoint) {
  for (const PeriodRow& row : PeriodRows) {
    SCOPED_TRACE(row.Name);
    const DWORD seed = 5;
    Make({.DataType = 0x32, .PointNum = 4000, .Waves = {row.Wave}, .Seed = seed});
    std::vector<double> expected;
    for (LONG point = row.Start; point < row.Start + row.Points; ++point)
      expected.insert(expected.end(), {SimWaveValue(row.Wave, 0, 0, point, seed, false),
                                       SimWaveValue(row.Wave, 0, 0, point, seed, true)});
    EXPECT_EQ(Ask(0, row.Start, row.Points, 0), expected);
  }
}

struct FormulaRow {
  const char* Name;
  SimWave Wave;
  BYTE Type;
  /// The expected values of the first points of the first acquisition.
  std::vector<double> Values;
};

constexpr double FloatTenth = static_cast<float>(0.1);

// Points 0.001 s apart; the values of the documented formulas, converted to each type. Integer types
// cut toward zero, not to the nearest or the lower whole number, and saturate.
const FormulaRow FormulaRows[] = {
    {"SquareBoundaryBelongsToTheSecondHalf", {Square, 5, 100}, 0x20, {5, 5, 5, 5, 5, -5, -5, -5, -5, -5}},
    {"SineInt32TowardZero", {Sine, 100, 125}, 0x20, {0, 70, 100, 70, 0, -70, -100, -70, 0, 70}},
    {"RampUnsignedByteSaturates", {Ramp, 100, 100, 50}, 0x00, {0, 0, 0, 10, 30, 50, 70, 90, 110, 130}},
    {"PositiveFractionsCutDown", {Square, 0.5, 250, 2.2}, 0x10, {2, 2, 1, 1}},
    {"NegativeFractionsCutUp", {Square, 0.5, 250, -2.2}, 0x10, {-1, -1, -2, -2}},
    {"SignedWordsSaturate", {Square, 40000, 250}, 0x11, {32767, 32767, -32768, -32768}},
    {"UnsignedBytesSaturate", {Square, 200, 250, 100}, 0x00, {255, 255, 0, 0}},
    {"UnsignedBytesCutTowardZero", {Square, 0.9, 250}, 0x00, {0, 0, 0, 0}},
    {"LongsSaturate", {Square, 3e9, 250}, 0x20, {2147483647.0, 2147483647.0, -2147483648.0, -2147483648.0}},
    {"LongsCutTowardZero", {Square, 2.9, 250, -0.5}, 0x21, {2, 2, -3, -3}},
    {"FloatsRoundToTheNearest", {Square, 0.1, 250}, 0x22, {FloatTenth, FloatTenth, -FloatTenth, -FloatTenth}},
    {"FloatsSaturate", {Square, 1e39, 250}, 0x22, {FLT_MAX, FLT_MAX, -FLT_MAX, -FLT_MAX}},
    {"DoublesAsComputed", {Square, 0.1, 250}, 0x32, {0.1, 0.1, -0.1, -0.1}},
};

TEST_F(SimModuleAnswersTest, ValuesFollowTheDocumentedFormulaForEveryType) {
  for (const FormulaRow& row : FormulaRows) {
    SCOPED_TRACE(row.Name);
    Make({.Channels = 1, .DataType = row.Type, .PointNum = 10, .Waves = {row.Wave}});
    const std::vector<double> values = Ask(0, 0, -1, 0);
    ASSERT_EQ(values.size(), 20u);
    EXPECT_EQ(Type, row.Type);
    // Each point comes as its minimum and maximum, which only steps keep apart.
    for (std::size_t point = 0; point < row.Values.size(); ++point) {
      EXPECT_EQ(values[2 * point], row.Values[point]) << point;
      EXPECT_EQ(values[2 * point + 1], row.Values[point]) << point;
    }
  }
}

TEST(SimWaveTest, EveryPointOfAnInt16RampIsExact) {
  SimWave ramp{Ramp, 30000, 3, 10000};
  for (std::uint64_t point = 0; point < 500; ++point) {
    const long long exact = 30000LL * (2 * static_cast<long long>((3 * point) % 1000) - 1000) / 1000 + 10000;
    ASSERT_EQ(SimWaveValue(ramp, 0, 0, point, 0, false), static_cast<double>(exact)) << point;
  }
}

TEST(SimWaveTest, NoiseStaysWithinItsAmplitudeAndVaries) {
  const SimWave noise{Noise, 20, 0, 100};
  std::set<double> values;
  for (std::uint64_t point = 0; point < 64; ++point)
    values.insert(SimWaveValue(noise, 0, 0, point, 0, false));
  EXPECT_GE(*values.begin(), 80);
  EXPECT_LT(*values.rbegin(), 120);
  EXPECT_GT(values.size(), 1u);
}
} // namespace
