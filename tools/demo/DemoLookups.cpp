#include "tools/demo/DemoScenes.h"

#include <cctype>
#include <cstdio>

namespace {
void ShowStation(const CGUIDatabase& database, WORD id, const CStation& station) {
  std::printf("station %-3u %-8s %-8s slots %u\n", id, static_cast<LPCTSTR>(station.Name), station.ModelName,
              database.GetMaxSlot(id));
  for (WORD moduleId : ModuleIdsInOrder(station)) {
    CString product;
    database.GetProductName(id, moduleId, product);
    const WORD master = database.SearchMaster(id, moduleId);
    std::printf("  module 0x%02X  %-7s channels %-3u master %u  members %u  position %u%s\n", moduleId,
                static_cast<LPCTSTR>(product), database.GetAcqChannel(id, moduleId), master,
                database.GetConnectNum(id, master), database.GetConnectNo(id, moduleId),
                moduleId >= StationSlotCount ? "  (extra module)" : "");
  }
}

/// name with the case of its letters swapped.
CString OtherCase(const CString& name) {
  CString swapped = name;
  for (int index = 0; index < swapped.GetLength(); ++index) {
    const auto letter = static_cast<unsigned char>(swapped[index]);
    swapped.SetAt(index, static_cast<char>(std::isupper(letter) ? std::tolower(letter) : std::toupper(letter)));
  }
  return swapped;
}

void ShowNameLookup(const CGUIDatabase& database, const CString& name) {
  CStation* found = nullptr;
  std::printf("station named \"%s\": %s\n", static_cast<LPCTSTR>(name),
              database.GetStationInf(name, &found) ? "found" : "none");
}
} // namespace

void ShowLookups(const CGUIDatabase& database) {
  std::printf("== Stations in id order ==\n");
  std::printf("(master: first slot of the module's connected group; members: modules the group joins; position: the "
              "module's place in it, 0 for the master)\n");
  const std::vector<WORD> ids = StationIdsInOrder(database);
  for (WORD id : ids) {
    CStation* station = nullptr;
    database.GetStationInf(id, &station);
    ShowStation(database, id, *station);
  }
  if (!ids.empty()) {
    CStation* first = nullptr;
    database.GetStationInf(ids.front(), &first);
    // Names are found as written, case included.
    ShowNameLookup(database, first->Name);
    if (OtherCase(first->Name) != first->Name)
      ShowNameLookup(database, OtherCase(first->Name));
  }
  std::printf("frontend number offered: %u\n\n", database.GetFrontendNo());
}
