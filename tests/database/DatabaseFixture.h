// A database of its own for each test, with helpers that file stations and modules.
#ifndef ZODAVUDAZ_TESTS_DATABASE_DATABASEFIXTURE_H
#define ZODAVUDAZ_TESTS_DATABASE_DATABASEFIXTURE_H

#include <zodavudaz/database/CGUIDatabase.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

class DatabaseFixture : public ::testing::Test {
protected:
  ~DatabaseFixture() override {
    for (auto& station : Stations) {
      for (POSITION position = station->ModuleMap.GetStartPosition(); position != nullptr;) {
        WORD id = 0;
        CModule* module = nullptr;
        station->ModuleMap.GetNextAssoc(position, id, module);
        delete module;
      }
    }
  }

  CStation& FileStation(WORD id, const char* name = "", const char* model = "") {
    Stations.push_back(std::make_unique<CStation>());
    CStation& station = *Stations.back();
    station.StationId = id;
    station.Name = name;
    std::strncpy(station.ModelName, model, sizeof station.ModelName - 1);
    Database.StationMap.SetAt(id, &station);
    return station;
  }

  CModule& FileModule(CStation& station, WORD id) {
    CModule* module = new CModule;
    module->ModuleId = id;
    station.ModuleMap.SetAt(id, module);
    return *module;
  }

  CGUIDatabase Database;
  std::vector<std::unique_ptr<CStation>> Stations;
};

#endif
