#include <zodavudaz/sim/VirtualStationPlan.h>

#include <zodavudaz/database/CGUIDatabase.h>
#include <zodavudaz/sim/DescriptionFile.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <set>

namespace {
constexpr const char* ListSection = "Stations";
constexpr DWORD HighestModuleId = 0xFF;
constexpr DWORD MostChannels = 256;
constexpr DWORD MostMembers = 16;
constexpr DWORD MostPoints = 1000000;
// Longest name that fits ModelName and ProductName with their zero.
constexpr std::size_t LongestName = 31;
const std::set<std::string> StationKeys = {"Id",          "Model",  "Modules", "SlotAttribute", "ConnectStatus",
                                           "Acquisition", "Period", "Seed"};
const std::set<std::string> ModuleKeys = {"Product", "ProductWord", "Channels",    "Members", "DataType",
                                          "Points",  "Wave",        "Acquisition", "Period",  "Seed"};
const std::set<BYTE> DataTypes = {0x00, 0x01, 0x10, 0x11, 0x20, 0x21, 0x22, 0x32};

/// The comma-separated items of text, trimmed; none for blank text.
std::vector<std::string> ItemsOf(const std::string& text) {
  std::vector<std::string> items;
  if (WithoutBlanks(text).empty())
    return items;
  for (std::size_t begin = 0;;) {
    const std::size_t comma = text.find(',', begin);
    items.push_back(WithoutBlanks(text.substr(begin, comma - begin)));
    if (comma == std::string::npos)
      return items;
    begin = comma + 1;
  }
}

/// A whole decimal or 0x-hexadecimal number up to highest.
bool ParseUnsigned(const std::string& text, DWORD highest, DWORD& value) {
  const std::string item = WithoutBlanks(text);
  const bool hex = item.size() > 2 && item[0] == '0' && (item[1] == 'x' || item[1] == 'X');
  // strtoull would take blanks and a sign.
  if (item.empty() || !std::isxdigit(static_cast<unsigned char>(item[hex ? 2 : 0])))
    return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long long read = std::strtoull(item.c_str() + (hex ? 2 : 0), &end, hex ? 16 : 10);
  if (errno != 0 || *end != '\0' || end == item.c_str() + (hex ? 2 : 0) || read > highest)
    return false;
  value = static_cast<DWORD>(read);
  return true;
}

/// A waveform number and the range that keeps every point finite.
struct WaveNumber {
  const char* Name;
  double Lowest;
  double Highest;
  const char* RangeText;
};
const WaveNumber WaveNumbers[] = {
    {"AMPLITUDE", -SimWaveLimit, SimWaveLimit, "-1e300 to 1e300"},
    {"FREQUENCY", 0, SimWaveLimit, "0 to 1e300"},
    {"OFFSET", -SimWaveLimit, SimWaveLimit, "-1e300 to 1e300"},
};

const WaveNumber PeriodRange = {"Period", SimShortestPeriod, SimLongestPeriod, "0.001 to 86400"};

// from_chars reads in the C locale whatever the process locale is, where strtod would not.
bool ParseReal(const std::string& text, const WaveNumber& range, double& value) {
  const char* begin = text.c_str() + (text.size() > 1 && text[0] == '+' && text[1] != '-' ? 1 : 0);
  const char* end = text.c_str() + text.size();
  const auto [stop, error] = std::from_chars(begin, end, value);
  return error == std::errc() && stop == end && value >= range.Lowest && value <= range.Highest;
}

/// "shape amplitude frequency [offset]", or "steps" alone.
bool ParseWave(const std::string& text, SimWave& wave, std::string& fault) {
  std::vector<std::string> words;
  for (std::size_t begin = text.find_first_not_of(" \t"); begin != std::string::npos;) {
    const std::size_t end = text.find_first_of(" \t", begin);
    words.push_back(text.substr(begin, end - begin));
    begin = text.find_first_not_of(" \t", end);
  }
  wave = SimWave();
  if (words.empty() || !SimWaveShapeOf(words[0].c_str(), wave.Shape)) {
    fault =
        "unknown waveform \"" + (words.empty() ? std::string() : words[0]) + "\" (steps, sine, square, ramp or noise)";
    return false;
  }
  const std::size_t wanted = wave.Shape == SimWaveShape::Steps ? 1 : 3;
  if (words.size() < wanted || words.size() > (wanted == 1 ? 1 : 4)) {
    fault = wanted == 1 ? "steps takes no numbers" : "wants \"" + words[0] + " AMPLITUDE FREQUENCY [OFFSET]\"";
    return false;
  }
  double* const numbers[] = {&wave.Amplitude, &wave.Frequency, &wave.Offset};
  for (std::size_t index = 1; index < words.size(); ++index) {
    const WaveNumber& range = WaveNumbers[index - 1];
    if (!ParseReal(words[index], range, *numbers[index - 1])) {
      fault = std::string(range.Name) + " \"" + words[index] + "\" is not a number from " + range.RangeText;
      return false;
    }
  }
  return true;
}

std::string ModuleSectionPrefix(const VirtualStationPlan& plan) { return "Station" + plan.Name + "-Module"; }

/// The section of a module: its id in decimal.
std::string ModuleSection(const VirtualStationPlan& plan, DWORD moduleId) {
  return ModuleSectionPrefix(plan) + std::to_string(moduleId);
}

/// Reads one description; every Read* returns false with the file's message set.
class PlanReader {
public:
  explicit PlanReader(DescriptionFile& file) : File(file) {}

  bool ReadStationNames(std::vector<std::string>& names);
  bool ReadStation(const std::string& name, VirtualStationPlan& plan);
  /// Refuses the first section, in file order, that no station or module of plans reads.
  bool CheckSectionsUsed(const std::vector<VirtualStationPlan>& plans);

private:
  bool ReadNumber(const std::string& section, const char* key, DWORD lowest, DWORD highest, DWORD& value,
                  bool required);
  bool ReadName(const std::string& section, const char* key, std::string& value);
  bool ReadSlotBytes(const std::string& section, const char* key, BYTE* bytes);
  bool ReadModuleIds(const std::string& section, const VirtualStationPlan& plan, std::vector<DWORD>& ids);
  bool ReadModule(const VirtualStationPlan& plan, DWORD id, VirtualModulePlan& module);
  bool ReadWaves(const std::string& section, SimModuleConfig& config);
  /// Acquisition, Period and Seed of section, each left as it is when the key is absent.
  bool ReadAcquisition(const std::string& section, SimAcqMode& mode, double& period, DWORD& seed);
  bool CheckKeys(const std::string& section, const std::set<std::string>& known, WORD channels);
  static std::string UnusedSectionFault(const std::string& section, const std::vector<VirtualStationPlan>& plans);

  DescriptionFile& File;
};

bool PlanReader::ReadStationNames(std::vector<std::string>& names) {
  std::string list;
  if (!File.Require(ListSection, "Names", list))
    return false;
  names = ItemsOf(list);
  std::set<std::string> seen;
  for (const std::string& name : names) {
    if (name.empty() || name.find_first_of("[]") != std::string::npos)
      return File.Fail(ListSection, "Names", "\"" + name + "\" is not a station name");
    if (!seen.insert(name).second)
      return File.Fail(ListSection, "Names", "station \"" + name + "\" named twice");
  }
  return true;
}

bool PlanReader::ReadNumber(const std::string& section, const char* key, DWORD lowest, DWORD highest, DWORD& value,
                            bool required) {
  std::string text;
  if (!required && !File.Optional(section, key, text))
    return true;
  if (required && !File.Require(section, key, text))
    return false;
  if (!ParseUnsigned(text, highest, value) || value < lowest)
    return File.Fail(section, key,
                     "\"" + text + "\" is not a number from " + std::to_string(lowest) + " to " +
                         std::to_string(highest));
  return true;
}

bool PlanReader::ReadName(const std::string& section, const char* key, std::string& value) {
  if (!File.Require(section, key, value))
    return false;
  if (value.size() > LongestName)
    return File.Fail(section, key, std::string("longer than ") + std::to_string(LongestName) + " characters");
  return true;
}

bool PlanReader::ReadSlotBytes(const std::string& section, const char* key, BYTE* bytes) {
  std::string text;
  if (!File.Optional(section, key, text))
    return true;
  const std::vector<std::string> items = ItemsOf(text);
  if (items.size() > StationSlotCount)
    return File.Fail(section, key, std::string("more than ") + std::to_string(StationSlotCount) + " slots");
  for (std::size_t slot = 0; slot < items.size(); ++slot) {
    DWORD value = 0;
    if (!ParseUnsigned(items[slot], 0xFF, value))
      return File.Fail(section, key, "slot " + std::to_string(slot) + ": \"" + items[slot] + "\" is not 0 to 255");
    bytes[slot] = static_cast<BYTE>(value);
  }
  return true;
}

// A module's slot (its id's low 4 bits) lies within the model's slots; bits 4 to 7 make an extra module.
bool PlanReader::ReadModuleIds(const std::string& section, const VirtualStationPlan& plan, std::vector<DWORD>& ids) {
  std::string text;
  if (!File.Require(section, "Modules", text))
    return false;
  CStation probe;
  std::strncpy(probe.ModelName, plan.Model.c_str(), sizeof probe.ModelName - 1);
  CGUIDatabase scratch;
  scratch.StationMap.SetAt(plan.Id, &probe);
  const DWORD lastSlot = scratch.GetMaxSlot(plan.Id) != 0 ? scratch.GetMaxSlot(plan.Id) : StationSlotCount - 1;
  scratch.StationMap.RemoveAll();
  std::set<DWORD> seen;
  for (const std::string& item : ItemsOf(text)) {
    DWORD id = 0;
    if (!ParseUnsigned(item, HighestModuleId, id))
      return File.Fail(section, "Modules", "\"" + item + "\" is not a module id from 0 to 0xFF");
    if ((id & 0x0F) > lastSlot)
      return File.Fail(section, "Modules",
                       "slot " + std::to_string(id & 0x0F) + " out of range 0 to " + std::to_string(lastSlot) +
                           " of model \"" + plan.Model + "\"");
    if (!seen.insert(id).second)
      return File.Fail(section, "Modules", "module " + item + " listed twice");
    ids.push_back(id);
  }
  return true;
}

bool PlanReader::ReadStation(const std::string& name, VirtualStationPlan& plan) {
  const std::string section = "Station" + name;
  DWORD id = 0;
  std::vector<DWORD> moduleIds;
  if (!ReadNumber(section, "Id", 0, 0xFFFF, id, true))
    return false;
  plan.Id = static_cast<WORD>(id);
  plan.Name = name;
  if (!ReadName(section, "Model", plan.Model) || !ReadSlotBytes(section, "SlotAttribute", plan.SlotAttribute) ||
      !ReadSlotBytes(section, "ConnectStatus", plan.ConnectStatus) || !ReadModuleIds(section, plan, moduleIds) ||
      !ReadAcquisition(section, plan.Acquisition, plan.Period, plan.Seed) || !CheckKeys(section, StationKeys, 0))
    return false;
  for (DWORD moduleId : moduleIds) {
    plan.Modules.emplace_back();
    if (!ReadModule(plan, moduleId, plan.Modules.back()))
      return false;
  }
  return true;
}

bool PlanReader::ReadModule(const VirtualStationPlan& plan, DWORD id, VirtualModulePlan& module) {
  const std::string section = ModuleSection(plan, id);
  SimModuleConfig& config = module.Config;
  config.Station = plan.Id;
  config.ModuleId = static_cast<WORD>(id);
  DWORD channels = 0, members = config.Members, dataType = config.DataType, points = config.PointNum;
  if (!ReadName(section, "Product", module.Product) ||
      !ReadNumber(section, "ProductWord", 0, 0xFFFFFFFF, module.ProductWord, true) ||
      !ReadNumber(section, "Channels", 0, MostChannels, channels, true) ||
      !ReadNumber(section, "Members", 1, MostMembers, members, false) ||
      !ReadNumber(section, "DataType", 0, 0xFF, dataType, false) ||
      !ReadNumber(section, "Points", 0, MostPoints, points, false))
    return false;
  if (DataTypes.count(static_cast<BYTE>(dataType)) == 0)
    return File.Fail(section, "DataType", "not one of 0x00 0x01 0x10 0x11 0x20 0x21 0x22 0x32");
  config.Channels = static_cast<WORD>(channels);
  config.Members = static_cast<WORD>(members);
  config.DataType = static_cast<BYTE>(dataType);
  config.PointNum = points;
  config.Acquisition = plan.Acquisition;
  config.Period = plan.Period;
  config.Seed = plan.Seed;
  return ReadAcquisition(section, config.Acquisition, config.Period, config.Seed) && ReadWaves(section, config) &&
         CheckKeys(section, ModuleKeys, config.Channels);
}

bool PlanReader::ReadAcquisition(const std::string& section, SimAcqMode& mode, double& period, DWORD& seed) {
  static const struct {
    const char* Name;
    SimAcqMode Mode;
  } Modes[] = {{"still", SimAcqMode::Still}, {"continuous", SimAcqMode::Continuous}, {"single", SimAcqMode::Single}};
  std::string text;
  if (File.Optional(section, "Acquisition", text)) {
    const std::string name = WithoutBlanks(text);
    const auto found =
        std::find_if(std::begin(Modes), std::end(Modes), [&](const auto& each) { return name == each.Name; });
    if (found == std::end(Modes))
      return File.Fail(section, "Acquisition", "\"" + name + "\" is not still, continuous or single");
    mode = found->Mode;
  }
  if (!File.Optional(section, "Period", text))
    return ReadNumber(section, "Seed", 0, 0xFFFFFFFF, seed, false);
  const std::string written = WithoutBlanks(text);
  if (!ParseReal(written, PeriodRange, period))
    return File.Fail(section, "Period", "\"" + written + "\" is not a number of seconds from 0.001 to 86400");
  return ReadNumber(section, "Seed", 0, 0xFFFFFFFF, seed, false);
}

// "Wave" gives every channel its waveform; "Wave<channel>" overrides it for one channel.
bool PlanReader::ReadWaves(const std::string& section, SimModuleConfig& config) {
  std::string text, fault;
  SimWave common;
  if (File.Optional(section, "Wave", text) && !ParseWave(text, common, fault))
    return File.Fail(section, "Wave", fault);
  config.Waves.assign(config.Channels, common);
  for (WORD channel = 0; channel < config.Channels; ++channel) {
    const std::string key = "Wave" + std::to_string(channel);
    if (File.Optional(section, key.c_str(), text) && !ParseWave(text, config.Waves[channel], fault))
      return File.Fail(section, key, fault);
  }
  return true;
}

// A misspelt or misplaced key would otherwise be ignored without a word.
bool PlanReader::CheckKeys(const std::string& section, const std::set<std::string>& known, WORD channels) {
  for (const auto& [key, line] : File.KeysOf(section)) {
    if (known.count(key) != 0)
      continue;
    const bool wave = known.count("Wave") != 0 && key.rfind("Wave", 0) == 0;
    DWORD channel = 0;
    // Only the decimal form names a channel's key, as ReadWaves asks for it.
    if (!wave || !ParseUnsigned(key.substr(4), 0xFFFF, channel) || key != "Wave" + std::to_string(channel))
      return File.Fail(section, key,
                       wave ? "unknown key (a channel's waveform is \"Wave\" and the channel in decimal, as \"Wave3\")"
                            : "unknown key");
    if (channel >= channels)
      return File.Fail(section, key,
                       "channel " + key.substr(4) + " beyond the module's " + std::to_string(channels) + " channels");
  }
  return true;
}

// A section that no listed station or module reads would otherwise be ignored without a word.
bool PlanReader::CheckSectionsUsed(const std::vector<VirtualStationPlan>& plans) {
  std::set<std::string> used = {ListSection};
  for (const VirtualStationPlan& plan : plans) {
    used.insert("Station" + plan.Name);
    for (const VirtualModulePlan& module : plan.Modules)
      used.insert(ModuleSection(plan, module.Config.ModuleId));
  }
  for (const std::string& section : File.SectionNames())
    if (used.count(section) == 0)
      return File.Fail(section, "", UnusedSectionFault(section, plans));
  return true;
}

std::string PlanReader::UnusedSectionFault(const std::string& section, const std::vector<VirtualStationPlan>& plans) {
  for (const VirtualStationPlan& plan : plans) {
    const std::string prefix = ModuleSectionPrefix(plan);
    if (section.rfind(prefix, 0) != 0)
      continue;
    const std::string module = section.substr(prefix.size());
    DWORD id = 0;
    const bool listed = ParseUnsigned(module, HighestModuleId, id) &&
                        std::any_of(plan.Modules.begin(), plan.Modules.end(),
                                    [id](const VirtualModulePlan& each) { return each.Config.ModuleId == id; });
    if (listed)
      return "the module id of a section name is decimal: [" + ModuleSection(plan, id) + "]";
    return "module " + module + " is not listed in [Station" + plan.Name + "] Modules";
  }
  return "a section of no station listed in [Stations] Names";
}
} // namespace

bool ReadVirtualStationPlans(LPCTSTR fileName, std::vector<VirtualStationPlan>& plans, CString& message) {
  DescriptionFile file;
  PlanReader reader(file);
  std::vector<std::string> names;
  bool read = file.Open(fileName) && reader.ReadStationNames(names);
  std::set<WORD> ids;
  for (std::size_t index = 0; read && index < names.size(); ++index) {
    plans.emplace_back();
    read = reader.ReadStation(names[index], plans.back());
    if (read && !ids.insert(plans.back().Id).second)
      read = file.Fail("Station" + names[index], "Id", "station id " + std::to_string(plans.back().Id) + " used twice");
  }
  read = read && reader.CheckSectionsUsed(plans);
  message = read ? CString() : file.GetMessage();
  return read;
}
