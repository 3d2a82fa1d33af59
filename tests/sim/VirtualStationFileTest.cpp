#include <zodavudaz/sim/VirtualStationFile.h>

#include "tests/TempFiles.h"
#include <zodavudaz/packets/WireField.h>
#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <span>
#include <vector>

namespace {
class VirtualStationFileTest : public ::testing::Test {
protected:
  ~VirtualStationFileTest() override { Unload(); }

  void Unload() {
    Database.Exit();
    ReleaseVirtualStations(Database);
    SimReset();
  }

  /// Loads description written to a file; the message is empty on success.
  int Load(const std::string& description, CString& message) {
    WriteAll(Path, description);
    return LoadVirtualStations(Path.c_str(), Database, message);
  }

  /// The first four points of channel of (station, slot) of words or doubles, minimum and maximum of each.
  std::vector<double> FirstFourPoints(WORD station, WORD slot, WORD channel) {
    BYTE buffer[512];
    std::memset(buffer, 0xCC, sizeof buffer);
    WORD type = 0;
    DWORD size = 0;
    CRplySync sync;
    EXPECT_EQ(
        Database.GetAcqDataEx(station, slot, 0, channel, 0, 0, 0, 4, 0, buffer, sizeof buffer, &type, &size, &sync), 0);
    std::vector<double> values;
    const DWORD width = DWORD{1} << (type >> 4);
    for (DWORD at = 0; at + width <= size; at += width)
      values.push_back(type == 0x32 ? LoadWire<double>(buffer, at) : LoadWire<std::int16_t>(buffer, at));
    return values;
  }

  TempFolder Folder;
  const std::string Path = Folder / "Stations.ini";
  CGUIDatabase Database;
};

/// A description's station with its model's slots, and the module and channel whose points are read.
struct LookedUp {
  WORD Station;
  BYTE MaxSlot;
  WORD Module;
  WORD Channel;
};

struct ReadBackRow {
  const char* Name;
  const char* Description;
  LookedUp Looks;
  /// Minimum and maximum of the first four points of Looks.Channel.
  std::vector<double> Points;
};

const ReadBackRow ReadBackRows[] = {
    {"SquareWithChannelOverride",
     "[Stations]\nNames=B\n\n[StationB]\nId=7\nModel=RA800\nModules=8\n\n"
     "[StationB-Module8]\nProduct=ZO2\nProductWord=512\nChannels=2\nWave=ramp 1 1\n"
     "Wave1=square 80 250\n",
     {7, 8, 8, 1},
     {80, 80, 80, 80, -80, -80, -80, -80}},
    {"RampWithOffset",
     "[Stations]\nNames=C\n\n[StationC]\nId=0x20\nModel=RA800\nModules=1\n\n"
     "[StationC-Module1]\nProduct=ZO3\nProductWord=3\nChannels=3\nWave2=ramp 50 250 10\n",
     {32, 8, 1, 2},
     {-40, -40, -15, -15, 10, 10, 35, 35}},
    {"StepsWithoutWave",
     "[Stations]\nNames=D\n\n[StationD]\nId=1\nModel=X\nModules=15\n\n"
     "[StationD-Module15]\nProduct=\nProductWord=0\nChannels=2\n",
     {1, 0, 15, 1},
     {10, 12, 11, 13, 12, 14, 13, 15}},
    {"ExtraModuleAndCommentsAndCrLf",
     "; stations\r\n[Stations]\r\nNames=F,G\r\n\r\n[StationF]\r\nId=9\r\nModel=\r\n"
     "Modules=\r\n\r\n[StationG]\r\nId=10\r\nModel=ZI400\r\nModules=2,0x32\r\n\r\n"
     "[StationG-Module2]\r\nProduct=ZO6\r\nProductWord=6\r\nChannels=1\r\n\r\n"
     "[StationG-Module50]\r\n; the extra module\r\nProduct=ZO7\r\nProductWord=7\r\n"
     "Channels=4\r\nWave3=square 5 250\r\n",
     {10, 4, 0x32, 3},
     {5, 5, 5, 5, -5, -5, -5, -5}},
    {"ByteOrderMarkAndBlanksAfterTheEqualsSign",
     "\xEF\xBB\xBF[Stations]\nNames= K\n\n[StationK]\nId= 11\nModel=ZI400\nModules= 3\n\n"
     "[StationK-Module3]\nProduct=ZO8\nProductWord= 8\nChannels= 1\nWave= square 7 250\n",
     {11, 4, 3, 0},
     {7, 7, 7, 7, -7, -7, -7, -7}},
    {"LoneLineFeedInsideACrLfSectionDoesNotEndIt",
     "[Stations]\r\nNames=L\r\n\r\n[StationL]\r\nId=12\r\n\nModel=RA800\r\nModules=1\r\n\r\n"
     "[StationL-Module1]\r\nProduct=P\r\nProductWord=1\r\nChannels=1\r\nWave=ramp 40 250\r\n",
     {12, 8, 1, 0},
     {-40, -40, -20, -20, 0, 0, 20, 20}},
    {"WaveformAtItsLimitsGivesFinitePoints",
     "[Stations]\nNames=M\n\n[StationM]\nId=13\nModel=ZI400\nModules=1\n\n"
     "[StationM-Module1]\nProduct=P\nProductWord=1\nChannels=1\nDataType=0x32\nWave=square -1e300 1e300 -1e300\n",
     {13, 4, 1, 0},
     {-2e300, -2e300, -2e300, -2e300, -2e300, -2e300, -2e300, -2e300}},
};

TEST_F(VirtualStationFileTest, DescriptionsReadBackThroughLookupsAndRequests) {
  for (const ReadBackRow& row : ReadBackRows) {
    SCOPED_TRACE(row.Name);
    CString message = "marker";
    ASSERT_EQ(Load(row.Description, message), 1) << static_cast<LPCTSTR>(message);
    EXPECT_STREQ(message, "");
    EXPECT_EQ(Database.GetMaxSlot(row.Looks.Station), row.Looks.MaxSlot);
    EXPECT_EQ(FirstFourPoints(row.Looks.Station, row.Looks.Module, row.Looks.Channel), row.Points);
    Unload();
  }
}

struct MalformedRow {
  const char* Name;
  /// The description after its table's start.
  const char* Description;
  /// The message after the file's path and its table's start.
  const char* Message;
};

#define STATION_X "[Stations]\nNames=X\n\n[StationX]\nId=1\nModel=ZI400\nModules=1\n\n"
#define MODULE_X "[StationX-Module1]\nProduct=P\nProductWord=1\nChannels=2\n"
#define HEADER_RULE "a section header is \"[NAME]\" from the line's first byte, with nothing after it"

const MalformedRow WholeFileRows[] = {
    {"NoStationList", "[Other]\nNames=X\n", " [Stations]: section missing"},
    {"NoNamesKey", "[Stations]\nName=X\n", " [Stations] Names: key missing"},
    {"EmptyStationName", "[Stations]\nNames=X,,Y\n", " [Stations] Names: \"\" is not a station name"},
    {"StationNamedTwice", "[Stations]\nNames=X, X\n", " [Stations] Names: station \"X\" named twice"},
    {"NoStationSection", "[Stations]\nNames=X\n", " [StationX]: section missing"},
    {"KeyAfterTheSectionsEnd", "[Stations]\nNames=X\n\n[StationX]\n\nId=1\n",
     ": line 6 \"Id=1\" lies in no section (the empty line 5 ended [StationX])"},
    {"KeyBeforeTheFirstSection", "Names=X\n[Stations]\n",
     ": line 1 \"Names=X\" lies in no section (before the first one)"},
    {"BinaryBytesEscaped", "U\x8F\x1B[2J\n", ": line 1 \"U\\x8F\\x1B[2J\" lies in no section (before the first one)"},
    {"HeaderWithoutBracket", "[Stations\nNames=X\n", ": line 1 \"[Stations\": " HEADER_RULE},
    {"HeaderWithoutBracketInASection", "[Stations]\nNames=X\n[StationX\n",
     " [Stations]: line 3 \"[StationX\": " HEADER_RULE},
    {"HeaderAfterABlank", " [Stations]\nNames=X\n", ": line 1 \" [Stations]\": " HEADER_RULE},
    {"TextAfterTheHeader", "[Stations] all\nNames=X\n", ": line 1 \"[Stations] all\": " HEADER_RULE},
    {"NameUpToTheLastBracket", "[Stations]\nNames=X\n\n[StationX]]\nId=1\n", " [StationX]: section missing"},
    {"SectionRepeated", "[Stations]\nNames=X\n\n[Stations]\nNames=Y\n",
     " [Stations]: section repeated on line 4 (first on line 1)"},
    {"KeyRepeated", "[Stations]\nNames=X\nNames=Y\n", " [Stations] Names: repeated on line 3 (first on line 2)"},
    {"IndentedKey", "[Stations]\n\tNames=X\n",
     " [Stations] Names: blanks around the key name on line 2 (write \"Names=X\")"},
    {"LineWithoutEqualsSign", "[Stations]\nNames X\n", " [Stations]: line 2 \"Names X\" has no \"=\""},
    {"LongLineWithoutEqualsSignIsCut", "[Stations]\nNames X0123456789012345678901234567890123456789\n",
     " [Stations]: line 2 \"Names X012345678901234567890123456789012...\" has no \"=\""},
    {"KeyWithoutName", "[Stations]\n =X\n", " [Stations]: line 2 \" =X\" has no key name"},
    {"StationIdTwice",
     "[Stations]\nNames=X,Y\n\n[StationX]\nId=1\nModel=\nModules=\n\n[StationY]\nId=1\nModel=\nModules=\n",
     " [StationY] Id: station id 1 used twice"},
    {"NoModuleSection", STATION_X, " [StationX-Module1]: section missing"},
    {"NoProductWord", STATION_X "[StationX-Module1]\nProduct=P\n", " [StationX-Module1] ProductWord: key missing"},
    {"ChannelsTooMany", STATION_X "[StationX-Module1]\nProduct=P\nProductWord=1\nChannels=257\n",
     " [StationX-Module1] Channels: \"257\" is not a number from 0 to 256"},
    {"SectionOfAnUnlistedModule", STATION_X MODULE_X "\n[StationX-Module2]\nProduct=Q\n",
     " [StationX-Module2]: module 2 is not listed in [StationX] Modules"},
    {"ModuleSectionNamedInHexadecimal", STATION_X MODULE_X "\n[StationX-Module0x1]\nProduct=Q\n",
     " [StationX-Module0x1]: the module id of a section name is decimal: [StationX-Module1]"},
    {"SectionOfAnUnlistedStation", STATION_X MODULE_X "\n[StationY]\nId=2\n",
     " [StationY]: a section of no station listed in [Stations] Names"},
    {"StationIdAlreadyFiled",
     "[Stations]\nNames=X,Y\n\n[StationX]\nId=1\nModel=ZI400\nModules=1\n\n" MODULE_X
     "\n[StationY]\nId=2\nModel=\nModules=\n",
     " [StationY] Id: station id 2 is already filed (the file loaded twice, or another station of that id)"},
};

#undef HEADER_RULE

// After "[Stations]\nNames=X\n\n[StationX]\n"; messages after " [StationX] ".
const MalformedRow StationKeyRows[] = {
    {"BlanksAroundTheEqualsSign", "Id = 3\n", "Id: blanks around the key name on line 5 (write \"Id=3\")"},
    {"IdNotANumber", "Id=1x\n", "Id: \"1x\" is not a number from 0 to 65535"},
    {"IdTooLarge", "Id=65536\n", "Id: \"65536\" is not a number from 0 to 65535"},
    {"NoModel", "Id=1\n", "Model: key missing"},
    {"ModelTooLong", "Id=1\nModel=ZI400-01234567890123456789012345\n", "Model: longer than 31 characters"},
    {"SlotBeyondTheModel", "Id=1\nModel=ZI400\nModules=1,5\n",
     "Modules: slot 5 out of range 0 to 4 of model \"ZI400\""},
    {"ExtraModuleOnASlotBeyondTheModel", "Id=1\nModel=RA800\nModules=0x19\n",
     "Modules: slot 9 out of range 0 to 8 of model \"RA800\""},
    {"ModuleIdTooLarge", "Id=1\nModel=\nModules=0x100\n", "Modules: \"0x100\" is not a module id from 0 to 0xFF"},
    {"ModuleListedTwice", "Id=1\nModel=\nModules=2, 2\n", "Modules: module 2 listed twice"},
    {"SlotListTooLong", "Id=1\nModel=\nModules=\nConnectStatus=0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\n",
     "ConnectStatus: more than 16 slots"},
    {"SlotAttributeNotAByte", "Id=1\nModel=\nModules=\nSlotAttribute=0,256\n",
     "SlotAttribute: slot 1: \"256\" is not 0 to 255"},
    {"UnknownStationKey", "Id=1\nModel=\nModules=\nModul=1\n", "Modul: unknown key"},
    {"StationPeriodBeyondTheLongest", "Id=1\nModel=ZI400\nModules=1\nPeriod=86401\n\n",
     "Period: \"86401\" is not a number of seconds from 0.001 to 86400"},
};

// After STATION_X MODULE_X; messages after " [StationX-Module1] ".
const MalformedRow ModuleKeyRows[] = {
    {"MembersZero", "Members=0\n", "Members: \"0\" is not a number from 1 to 16"},
    {"MembersTooMany", "Members=17\n", "Members: \"17\" is not a number from 1 to 16"},
    {"DataTypeUnknown", "DataType=0x33\n", "DataType: not one of 0x00 0x01 0x10 0x11 0x20 0x21 0x22 0x32"},
    {"UnknownWaveform", "Wave=triangle 1 2\n",
     "Wave: unknown waveform \"triangle\" (steps, sine, square, ramp or noise)"},
    {"EmptyWaveform", "Wave1=\n", "Wave1: unknown waveform \"\" (steps, sine, square, ramp or noise)"},
    {"WaveWithoutFrequency", "Wave=sine 10\n", "Wave: wants \"sine AMPLITUDE FREQUENCY [OFFSET]\""},
    {"WaveWithTooManyNumbers", "Wave=ramp 1 2 3 4\n", "Wave: wants \"ramp AMPLITUDE FREQUENCY [OFFSET]\""},
    {"StepsWithNumbers", "Wave=steps 1\n", "Wave: steps takes no numbers"},
    {"WaveAmplitudeNotANumber", "Wave0=sine 1e 5\n", "Wave0: AMPLITUDE \"1e\" is not a number from -1e300 to 1e300"},
    {"WaveAmplitudeTooLarge", "Wave0=sine -1.1e300 5\n",
     "Wave0: AMPLITUDE \"-1.1e300\" is not a number from -1e300 to 1e300"},
    {"WaveFrequencyNegative", "Wave0=square 1 -5\n", "Wave0: FREQUENCY \"-5\" is not a number from 0 to 1e300"},
    {"WaveFrequencyTooLarge", "Wave0=square 1 1e303\n", "Wave0: FREQUENCY \"1e303\" is not a number from 0 to 1e300"},
    {"WaveOffsetNotANumber", "Wave0=ramp 1 1 nan\n", "Wave0: OFFSET \"nan\" is not a number from -1e300 to 1e300"},
    {"WaveOffsetTooLarge", "Wave0=ramp 1 1 2e300\n", "Wave0: OFFSET \"2e300\" is not a number from -1e300 to 1e300"},
    {"WaveOfAChannelNotInDecimal", "Wave01=sine 1 1\n",
     "Wave01: unknown key (a channel's waveform is \"Wave\" and the channel in decimal, as \"Wave3\")"},
    {"WaveOfAChannelBeyondTheModules", "Wave2=sine 1 1\n", "Wave2: channel 2 beyond the module's 2 channels"},
    {"UnknownModuleKey", "Chanels=2\n", "Chanels: unknown key"},
    {"UnknownAcquisition", "Acquisition=live\n", "Acquisition: \"live\" is not still, continuous or single"},
    {"PeriodBelowTheShortest", "Acquisition=continuous\nPeriod=0.0009\n",
     "Period: \"0.0009\" is not a number of seconds from 0.001 to 86400"},
    {"NegativeSeed", "Seed=-18446744073709551615\n",
     "Seed: \"-18446744073709551615\" is not a number from 0 to 4294967295"},
};

/// A table of malformed descriptions whose rows share the start of their description and message.
struct MalformedTable {
  const char* DescriptionStart;
  const char* MessageStart;
  std::span<const MalformedRow> Rows;
};

const MalformedTable MalformedTables[] = {
    {"", "", WholeFileRows},
    {"[Stations]\nNames=X\n\n[StationX]\n", " [StationX] ", StationKeyRows},
    {STATION_X MODULE_X, " [StationX-Module1] ", ModuleKeyRows},
};

#undef STATION_X
#undef MODULE_X

TEST_F(VirtualStationFileTest, MalformedDescriptionsNameFileSectionAndKeyAndMakeNothing) {
  // A station of id 2 filed before: a refusal files none beside it, not even the stations before
  // the one refused.
  CStation own;
  Database.StationMap.SetAt(2, &own);
  for (const MalformedTable& table : MalformedTables)
    for (const MalformedRow& row : table.Rows) {
      SCOPED_TRACE(row.Name);
      CString message;
      EXPECT_EQ(Load(table.DescriptionStart + std::string(row.Description), message), 0);
      EXPECT_EQ(std::string(message), Path + table.MessageStart + row.Message);
      EXPECT_EQ(Database.StationMap.GetCount(), 1);
      EXPECT_EQ(SimLiveFrontends(1, 1), 0);
    }
  Database.StationMap.RemoveAll();
}

TEST_F(VirtualStationFileTest, TheEnvironmentNamesTheFileWhenNoneIsGiven) {
  WriteAll(Path, "[Stations]\nNames=Z\n\n[StationZ]\nId=6\nModel=\nModules=\n");
  CString message;
  ::unsetenv(VirtualStationsVariable);
  EXPECT_EQ(LoadVirtualStations(nullptr, Database, message), 0);
  EXPECT_STREQ(message, "no description file given and ZDZ_VIRTUAL_STATIONS is not set");
  ::setenv(VirtualStationsVariable, Path.c_str(), 1);
  EXPECT_EQ(LoadVirtualStations(nullptr, Database, message), 1);
  ::unsetenv(VirtualStationsVariable);
  CStation* station = nullptr;
  EXPECT_EQ(Database.GetStationInf(6, &station), 1);
  const std::string missing = Folder / "missing.ini";
  EXPECT_EQ(LoadVirtualStations(missing.c_str(), Database, message), 0);
  EXPECT_EQ(std::string(message), missing + ": cannot be opened");
}

} // namespace
