// The profile engine and the database build on generated settings files of 4 KiB to 1 MiB, each
// beside its baseline: the file read and searched once, inih finding the same key, the file
// copied and renamed, the file read once and cut into its lines. Counters "x..." give the time
// as a multiple of the baseline's.
#include <zodavudaz/database/CGUIDatabase.h>
#include <zodavudaz/settings/ProfileFile.h>
#include <zodavudaz/settings/ProfileImage.h>

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <ini.h>
#include <map>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr char LastSection[] = "StationBench-Module8";
constexpr char Key[] = "Config";
constexpr char Value[] = "a 1,b 2,c 3,";

std::string SectionText(const std::string& name) {
  return "[" + name + "]\r\nWindowPos=0,1,-1,-1,-1,-1,10,20,300,400\r\nProduct=ZO4a21 module\r\n" +
         "ModuleInf=s 1,b 1,c 255,d 255,t 0,t 0,t 1,t 0,v 1000000,n 10,f 0,t 0,t 1,t 0,dir c:\\data\\,run\r\n" + Key +
         "=" + Value + "\r\n\r\n";
}

/// A settings file of about size bytes that ends with the sections of station "Bench".
const std::string& ProfileFile(size_t size) {
  static std::map<size_t, std::string> files;
  std::string& path = files[size];
  if (path.empty()) {
    char folder[] = "/tmp/zdz-bench-XXXXXX";
    path = std::string(mkdtemp(folder)) + "/Mardel.tmp";
    std::string bench = SectionText("StationBench") + SectionText("StationBench-Module-9");
    for (int slot = 0; slot < 16; ++slot)
      bench += SectionText("StationBench-Module" + std::to_string(slot == 8 ? 15 : slot == 15 ? 8 : slot));
    std::string text;
    for (int number = 0; text.size() + bench.size() < size; ++number)
      text += SectionText("StationS" + std::to_string(number / 9) + "-Module" + std::to_string(number % 9));
    FILE* out = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), out);
    std::fwrite(bench.data(), 1, bench.size(), out);
    std::fclose(out);
  }
  return path;
}

std::string ReadWhole(const std::string& path) {
  const int file = ::open(path.c_str(), O_RDONLY);
  struct stat status {};
  ::fstat(file, &status);
  std::string bytes(static_cast<size_t>(status.st_size), '\0');
  benchmark::DoNotOptimize(::read(file, bytes.data(), bytes.size()));
  ::close(file);
  return bytes;
}

void FloorRead(const std::string& path) {
  const std::string bytes = ReadWhole(path);
  benchmark::DoNotOptimize(bytes.find(std::string("[") + LastSection + "]"));
}

void InihRead(const std::string& path) {
  std::string found;
  ini_parse(
      path.c_str(),
      [](void* user, const char* section, const char* name, const char* value) {
        if (std::strcmp(section, LastSection) == 0 && std::strcmp(name, Key) == 0)
          *static_cast<std::string*>(user) = value;
        return 1;
      },
      &found);
  benchmark::DoNotOptimize(found);
}

/// The file read in one go and handed out line by line, as ReadStringEx hands out its lines.
void ReadOnceInLines(const std::string& path) {
  const std::string bytes = ReadWhole(path);
  for (size_t begin = 0; begin < bytes.size();) {
    const size_t lineFeed = bytes.find('\n', begin);
    const size_t end = lineFeed == std::string::npos ? bytes.size() : lineFeed + 1;
    std::string line(bytes, begin, end - begin);
    benchmark::DoNotOptimize(line);
    begin = end;
  }
}

void CopyAndRename(const std::string& path) {
  const std::string bytes = ReadWhole(path);
  const std::string copy = path + ".copy";
  const int file = ::open(copy.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  benchmark::DoNotOptimize(::write(file, bytes.data(), bytes.size()));
  ::fsync(file);
  ::close(file);
  ::rename(copy.c_str(), path.c_str());
}

/// Seconds per call of run on path, averaged over at least 0.2 s; measured once per pair.
double SecondsPerCall(const char* name, void (*run)(const std::string&), const std::string& path) {
  static std::map<std::string, double> measured;
  double& seconds = measured[name + path];
  if (seconds == 0) {
    const auto start = std::chrono::steady_clock::now();
    int calls = 0;
    for (; std::chrono::steady_clock::now() - start < std::chrono::milliseconds(200); ++calls)
      run(path);
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / calls;
  }
  return seconds;
}

/// Runs baseline on the benchmark's file in the timed loop.
void RunBaseline(benchmark::State& state, void (*baseline)(const std::string&)) {
  const std::string& path = ProfileFile(state.range(0));
  for (auto _ : state)
    baseline(path);
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

/// Runs call in the timed loop and sets each counter to the time per call over that baseline's.
void RunAgainst(benchmark::State& state, const std::function<void()>& call,
                std::initializer_list<std::pair<const char*, void (*)(const std::string&)>> baselines) {
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state)
    call();
  const double perCall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / state.iterations();
  for (const auto& [name, run] : baselines)
    state.counters[name] = perCall / SecondsPerCall(name, run, ProfileFile(state.range(0)));
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_GetProfileString(benchmark::State& state) {
  const std::string& path = ProfileFile(state.range(0));
  CString value;
  RunAgainst(state, [&] { benchmark::DoNotOptimize(GetProfileStringEx(path.c_str(), LastSection, Key, value)); },
             {{"xFloor", FloorRead}, {"xInih", InihRead}});
  if (value != Value)
    state.SkipWithError("key not found");
}

void BM_GetProfileStringBaseline(benchmark::State& state) { RunBaseline(state, FloorRead); }

void BM_GetProfileStringInih(benchmark::State& state) { RunBaseline(state, InihRead); }

void BM_WriteProfileString(benchmark::State& state) {
  const std::string& path = ProfileFile(state.range(0));
  RunAgainst(state, [&] { benchmark::DoNotOptimize(WriteProfileStringEx(path.c_str(), LastSection, Key, Value)); },
             {{"xCopy", CopyAndRename}});
}

void BM_WriteProfileStringBaseline(benchmark::State& state) { RunBaseline(state, CopyAndRename); }

// The callers' way: every line read with the whole file's length as its limit.
void BM_ReadStringEx(benchmark::State& state) {
  const std::string& path = ProfileFile(state.range(0));
  RunAgainst(state,
             [&] {
               CFile file;
               file.Open(path.c_str(), CFile::modeRead);
               const UINT length = file.GetLength();
               CString line;
               for (ReadStringEx(&file, length, line); !line.IsEmpty(); ReadStringEx(&file, length, line))
                 benchmark::DoNotOptimize(line);
             },
             {{"xOnce", ReadOnceInLines}});
}

void BM_ReadStringExBaseline(benchmark::State& state) { RunBaseline(state, ReadOnceInLines); }

/// A section search in memory: an ordinary 2 MiB file and its last module's section (range 0),
/// or a 100 KB name, "][" over and over, whose header occurs at every other byte of 2 MiB of lines
/// that each begin with it and go on past it (range 1).
struct SearchCase {
  explicit SearchCase(bool pathological) {
    std::string text = ReadWhole(ProfileFile(2 << 20));
    Name = LastSection;
    if (pathological) {
      Name.clear();
      while (Name.size() < 100 * 1024)
        Name += "][";
      std::string line;
      while (line.size() < 150 * 1024)
        line += "[]";
      text.clear();
      while (text.size() < (2 << 20))
        text += line + "x\r\n";
    }
    Image.GetBytes() = CString(text.data(), static_cast<int>(text.size()));
  }
  ProfileImage Image;
  std::string Name;
};

/// The floor of any search that walks the lines: the line feeds counted.
std::size_t CountLines(const ProfileImage& image) {
  std::size_t lines = 0;
  const char* end = image.GetData() + image.GetLength();
  for (const char* at = image.GetData(); (at = static_cast<const char*>(std::memchr(at, '\n', end - at))) != nullptr;
       ++at)
    ++lines;
  return lines;
}

double LineCountSeconds = 0;

void BM_FindSectionBaseline(benchmark::State& state) {
  const SearchCase search(state.range(0) != 0);
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state)
    benchmark::DoNotOptimize(CountLines(search.Image));
  LineCountSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / state.iterations();
  state.SetBytesProcessed(state.iterations() * search.Image.GetLength());
}

void BM_FindSection(benchmark::State& state) {
  const SearchCase search(state.range(0) != 0);
  ProfileSection found{};
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state)
    benchmark::DoNotOptimize(search.Image.FindSection(search.Name.c_str(), found));
  const double perCall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / state.iterations();
  if (LineCountSeconds > 0)
    state.counters["xLines"] = perCall / LineCountSeconds;
  state.SetBytesProcessed(state.iterations() * search.Image.GetLength());
}

/// Station "Bench" with modules in all 16 slots, as an application files it.
struct BenchStation {
  BenchStation() {
    Station.Name = "Bench";
    for (WORD slot = 0; slot < 16; ++slot) {
      std::strcpy(Modules[slot].ProductName, "ZO4a21");
      Station.ModuleMap.SetAt(slot, &Modules[slot]);
      Station.ModuleExist[slot] = 1;
    }
    Database.StationMap.SetAt(1, &Station);
  }
  ~BenchStation() { Station.ModuleMap.RemoveAll(); }
  CGUIDatabase Database;
  CStation Station;
  CModule Modules[16];
};

void BM_UpdateDataBaseEx(benchmark::State& state) {
  const std::string& path = ProfileFile(state.range(0));
  BenchStation bench;
  CString backup;
  RunAgainst(state, [&] { bench.Database.UpdateDataBaseEx(path.c_str(), 1, backup); }, {{"xFloor", FloorRead}});
  if (bench.Modules[1].WindowRight != 300)
    state.SkipWithError("placement not loaded");
}

void BM_UpdateDataBaseExBaseline(benchmark::State& state) { BM_GetProfileStringBaseline(state); }
} // namespace

BENCHMARK(BM_GetProfileString)->Arg(4 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(BM_GetProfileStringBaseline)->Arg(4 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(BM_GetProfileStringInih)->Arg(4 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(BM_WriteProfileString)->Arg(4 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(BM_WriteProfileStringBaseline)->Arg(4 << 10)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK(BM_ReadStringEx)->Arg(1 << 20);
BENCHMARK(BM_ReadStringExBaseline)->Arg(1 << 20);
BENCHMARK(BM_UpdateDataBaseEx)->Arg(1 << 20);
// Each baseline right before its search, so that the search's ratio is to the same text.
BENCHMARK(BM_FindSectionBaseline)->Arg(0);
BENCHMARK(BM_FindSection)->Arg(0);
BENCHMARK(BM_FindSectionBaseline)->Arg(1);
BENCHMARK(BM_FindSection)->Arg(1);
BENCHMARK(BM_UpdateDataBaseExBaseline)->Arg(1 << 20);
