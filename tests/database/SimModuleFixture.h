// A database whose modules reach simulated modules through simulated frontends.
#ifndef ZODAVUDAZ_TESTS_DATABASE_SIMMODULEFIXTURE_H
#define ZODAVUDAZ_TESTS_DATABASE_SIMMODULEFIXTURE_H

#include "tests/database/DatabaseFixture.h"
#include <zodavudaz/sim/SimControl.h>

#include <vector>

class SimModuleFixture : public DatabaseFixture {
protected:
  SimModuleFixture() { SimReset(); }
  // The simulation ends the frontends still alive; the base then destroys the filed records.
  ~SimModuleFixture() override { SimReset(); }

  /// Files module config.ModuleId of station with a frontend on the simulated module of config.
  CModule& FileSimModule(CStation& station, SimModuleConfig config) {
    config.Station = station.StationId;
    CModule& module = FileModule(station, config.ModuleId);
    module.AcqChannel = config.Channels;
    module.DataCntlId = config.CurrentCntlId;
    module.Frontend = SimCreateFrontend(config);
    return module;
  }

  /// Joins slots first to last of an "RA800" station into one group.
  static void JoinSlots(CStation& station, WORD first, WORD last) {
    std::strcpy(station.ModelName, "RA800");
    station.SlotAttribute[first] = 1;
    for (WORD slot = first; slot < last; ++slot)
      station.ConnectStatus[slot] = 1;
  }

  /// Index of the first byte at or after first that is not the marker 0xCC; bytes.size() if none.
  static std::size_t FirstWritten(const std::vector<BYTE>& bytes, std::size_t first) {
    while (first < bytes.size() && bytes[first] == 0xCC)
      ++first;
    return first;
  }

  CRplySync Sync;
};

#endif
