// The stations and modules the demo's scenes play against, chosen from whatever stations are filed.
#ifndef ZODAVUDAZ_TOOLS_DEMO_DEMOTARGETS_H
#define ZODAVUDAZ_TOOLS_DEMO_DEMOTARGETS_H

#include <zodavudaz/database/CGUIDatabase.h>

#include <optional>
#include <vector>

/// A module named by its station id and module id.
struct DemoModule {
  WORD Station = 0;
  WORD Slot = 0;
};

/// The ids of the filed stations, lowest first; stations filed as null records are left out.
std::vector<WORD> StationIdsInOrder(const CGUIDatabase& database);
/// The ids of the station's filed modules, lowest first; null records are left out.
std::vector<WORD> ModuleIdsInOrder(const CStation& station);

/// What the scenes play against; a scene whose target is missing says so and is skipped.
struct DemoTargets {
  /// The first module with channels and a frontend, of a station other than 0 (which holds the
  /// front ends), in id order: acquired data, queries, viewer settings, buttons.
  std::optional<DemoModule> Acquisition;
  /// The first module that leads a connected group of more than one module: the module test.
  std::optional<DemoModule> GroupMaster;
  /// The first front-end entry (a module of station 0): the front-end usage registry.
  std::optional<WORD> FrontEnd;

  /// The module test's module: the second member of GroupMaster's group, else Acquisition.
  std::optional<DemoModule> TestedModule() const;
};

DemoTargets ChooseTargets(const CGUIDatabase& database);

#endif
