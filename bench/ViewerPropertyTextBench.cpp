// Viewer property text conversion against the C library doing the same number work.
#include <zodavudaz/viewer/ViewerPropertyGroupText.h>
#include <zodavudaz/viewer/ViewerPropertyText.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {
constexpr WORD Channels = 64;
constexpr WORD Groups = 8;

// A viewer of 64 channels in 8 groups of 8, as the applications store it.
ViewerProperty* NewTypicalRecord() {
  ViewerProperty* record = CreateViewerProperty(Channels);
  record->ChannelNumber = Channels;
  record->GrNum = Groups;
  record->GrChNum = Channels / Groups;
  record->TimeWidth = 0.002;
  record->HCursor2 = 1.25e-3;
  record->MeasureItem = 0x1F3;
  for (WORD channel = 0; channel < Channels; ++channel) {
    std::snprintf(record->MathLabel[channel], MathLabelWidth, "Ch %u", channel + 1);
    std::strcpy(record->MathUnit[channel], "mV");
  }
  Ascii2ViewerPropertyGr(record, CString());
  for (int entry = 0; entry < Channels; ++entry)
    record->GrChInfo[entry] = GrChannel{entry, 1, -10.0 * entry, 10.5 * entry, 0xFF0000u + entry, 0x00FF00};
  return record;
}

struct Texts {
  CString Record;
  CString Group[Groups];
};

void Write(const ViewerProperty* record, Texts& texts) {
  ViewerProperty2Ascii(record, texts.Record);
  for (WORD group = 0; group < Groups; ++group)
    ViewerProperty2AsciiGr(record, group, texts.Group[group]);
}

ViewerProperty* Read(const Texts& texts) {
  ViewerProperty* record = Ascii2ViewerProperty(texts.Record);
  for (const CString& group : texts.Group)
    Ascii2ViewerPropertyGr(record, group);
  return record;
}

// The values of the same texts for the C library: every number formatted with snprintf as the
// writers do and parsed with strtod into a plain array, every other word copied.
class Baseline {
public:
  explicit Baseline(const Texts& texts) {
    Collect(texts.Record);
    for (const CString& group : texts.Group)
      Collect(group);
  }

  void Format() {
    char* out = Output;
    for (const Value& value : Values) {
      switch (value.Form) {
      case Kind::Hex: out += std::snprintf(out, 32, " 0x%X", static_cast<unsigned>(value.Number)); break;
      case Kind::Double: out += std::snprintf(out, 32, " %e", value.Number); break;
      case Kind::Decimal: out += std::snprintf(out, 32, " %d", static_cast<int>(value.Number)); break;
      case Kind::Word:
        out = static_cast<char*>(std::memcpy(out, value.Word.data(), value.Word.size())) + value.Word.size();
        break;
      }
    }
    benchmark::DoNotOptimize(out);
  }

  void Parse() {
    double* number = Numbers.data();
    for (const Value& value : Values)
      *number++ = std::strtod(value.Word.c_str(), nullptr);
    benchmark::DoNotOptimize(Numbers.data());
  }

private:
  enum class Kind { Hex, Double, Decimal, Word };
  struct Value {
    Kind Form;
    double Number;
    std::string Word;
  };

  void Collect(const CString& text) {
    std::string word;
    for (const char* at = text; *at != '\0'; ++at) {
      if (*at != ' ' && *at != ';') {
        word += *at;
      } else if (!word.empty()) {
        Values.push_back(Value{FormOf(word), std::strtod(word.c_str(), nullptr), word});
        word.clear();
      }
    }
    Numbers.resize(Values.size());
  }

  static Kind FormOf(const std::string& word) {
    if (word.starts_with("0x"))
      return Kind::Hex;
    if (word.find('.') != std::string::npos)
      return Kind::Double;
    return word.find_first_not_of("-0123456789") == std::string::npos ? Kind::Decimal : Kind::Word;
  }

  std::vector<Value> Values;
  std::vector<double> Numbers;
  char Output[1 << 16];
};

struct Fixture {
  Fixture() : Record(NewTypicalRecord()) {
    Write(Record, Stored);
    Reference = new Baseline(Stored);
  }
  ViewerProperty* Record;
  Texts Stored;
  Baseline* Reference;
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

// Processor time of this thread, as the CPU column shows, so that other processes on the machine
// do not skew the ratio.
double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename Work>
double SecondsPerRun(benchmark::IterationCount runs, Work work) {
  const double start = CpuSeconds();
  for (benchmark::IterationCount run = 0; run < runs; ++run)
    work();
  return (CpuSeconds() - start) / double(runs);
}

void CountRecords(benchmark::State& state) {
  state.counters["Records"] = benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

// Times work, then the baseline over as many runs, and reports how much slower work is.
template <typename Work, typename BaselineWork>
void RunAgainstBaseline(benchmark::State& state, Work work, BaselineWork baseline) {
  const double start = CpuSeconds();
  for (auto _ : state)
    work();
  const double seconds = (CpuSeconds() - start) / double(state.iterations());
  state.counters["RatioToBaseline"] = seconds / SecondsPerRun(state.iterations(), baseline);
  CountRecords(state);
}

void WriteStored() {
  Texts texts;
  Write(TheFixture().Record, texts);
  benchmark::DoNotOptimize(texts.Record.GetLength());
}

void ReadStored() { ReleaseViewerProperty(Read(TheFixture().Stored)); }

void FormatBaseline() { TheFixture().Reference->Format(); }
void ParseBaseline() { TheFixture().Reference->Parse(); }
void RoundTripBaseline() {
  FormatBaseline();
  ParseBaseline();
}

void BM_ViewerPropertyWrite(benchmark::State& state) { RunAgainstBaseline(state, WriteStored, FormatBaseline); }
void BM_ViewerPropertyWriteBaseline(benchmark::State& state) {
  for (auto _ : state)
    FormatBaseline();
  CountRecords(state);
}

void BM_ViewerPropertyRead(benchmark::State& state) { RunAgainstBaseline(state, ReadStored, ParseBaseline); }
void BM_ViewerPropertyReadBaseline(benchmark::State& state) {
  for (auto _ : state)
    ParseBaseline();
  CountRecords(state);
}

void BM_ViewerPropertyRoundTrip(benchmark::State& state) {
  RunAgainstBaseline(
      state, [] { WriteStored(), ReadStored(); }, RoundTripBaseline);
}
void BM_ViewerPropertyRoundTripBaseline(benchmark::State& state) {
  for (auto _ : state)
    RoundTripBaseline();
  CountRecords(state);
}
} // namespace

BENCHMARK(BM_ViewerPropertyWrite);
BENCHMARK(BM_ViewerPropertyWriteBaseline);
BENCHMARK(BM_ViewerPropertyRead);
BENCHMARK(BM_ViewerPropertyReadBaseline);
BENCHMARK(BM_ViewerPropertyRoundTrip);
BENCHMARK(BM_ViewerPropertyRoundTripBaseline);
