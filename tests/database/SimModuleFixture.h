// A database whose modules reach simulated modules through simulated frontends.
#ifndef TESTS_DATABASE_SIMMODULEFIXTURE_H
#define TESTS_DATABASE_SIMMODULEFIXTURE_H

#include "sim/SimControl.h"
#include "tests/database/DatabaseFixture.h"

#include <vector>

class SimModuleFixture : public DatabaseFixture {
protected:
  SimModuleFixture() { SimReset(); }
  // The simulation ends the frontends still alive; the base then destroys the filed records.
  ~SimModuleFixture() override { SimReset(); }

  /// Files a module of station with a frontend on the simulated module config describes.
  CModule& FileSimModule(CStation& station, SimModuleConfig config) {
    config.Station = station.StationId;
    CModule& module = FileModule(station, config.ModuleId);
    module.AcqChannel = config.Channels;
    module.DataCntlId = config.CurrentCntlId;
    module.Frontend = SimCreateFrontend(config);
    return module;
  }
  CModule& FileSimModule(CStation& station, WORD id) {
    SimModuleConfig config;
    config.ModuleId = id;
    return FileSimModule(station, config);
  }

  /// Joins slots first to last of station into one group ("RA800", eight slots).
  static void JoinSlots(CStation& station, WORD first, WORD last) {
    std::strcpy(station.ModelName, "RA800");
    station.SlotAttribute[first] = 1;
    for (WORD slot = first; slot < last; ++slot)
      station.ConnectStatus[slot] = 1;
  }

  static SimFault FaultOn(WORD group, WORD cntlId) {
    SimFault fault;
    fault.Group = group;
    fault.CntlId = cntlId;
    return fault;
  }

  /// Bytes of a buffer filled with a marker, to show what a call wrote.
  static std::vector<BYTE> Marked(std::size_t bytes) { return std::vector<BYTE>(bytes, 0xCC); }
  /// Index of the first byte from first on that is not the marker; bytes.size() when none.
  static std::size_t FirstWritten(const std::vector<BYTE>& bytes, std::size_t first) {
    for (std::size_t index = first; index < bytes.size(); ++index)
      if (bytes[index] != 0xCC)
        return index;
    return bytes.size();
  }

  CRplySync Sync;
};

#endif
