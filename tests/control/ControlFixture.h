// Station 1 of the process-wide database with simulated modules, for the control function tests.
#ifndef ZODAVUDAZ_TESTS_CONTROL_CONTROLFIXTURE_H
#define ZODAVUDAZ_TESTS_CONTROL_CONTROLFIXTURE_H

#include <zodavudaz/entry/LibraryEntry.h>
#include <zodavudaz/sim/SimControl.h>

#include <gtest/gtest.h>

class ControlFixture : public ::testing::Test {
protected:
  void SetUp() override {
    SimReset();
    Station.StationId = 1;
    GetDataBase()->StationMap.SetAt(1, &Station);
  }
  void TearDown() override {
    for (POSITION position = Station.ModuleMap.GetStartPosition(); position != nullptr;) {
      WORD id = 0;
      CModule* module = nullptr;
      Station.ModuleMap.GetNextAssoc(position, id, module);
      DeleteModule(module);
    }
    GetDataBase()->StationMap.RemoveAll();
    SimReset();
  }
  static void DeleteModule(CModule* module) {
    if (module->Frontend != nullptr)
      module->Frontend->Destroy();
    delete module->Frontend;
    delete module;
  }

  /// A simulated module in slot, filed in the database, with a frontend or reached through the
  /// communication library.
  CModule& FileModule(WORD slot, bool withFrontend = true) {
    CFeModule* frontend = SimCreateFrontend({.Station = 1, .ModuleId = slot});
    CModule* module = new CModule;
    module->ModuleId = slot;
    if (withFrontend) {
      module->Frontend = frontend;
    } else {
      frontend->Destroy();
      delete frontend;
    }
    Station.ModuleMap.SetAt(slot, module);
    return *module;
  }

  CStation Station;
};

#endif
