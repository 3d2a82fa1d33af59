// The scenes of the demo application, each printing what the library answers.
#ifndef TOOLS_DEMO_DEMOSCENES_H
#define TOOLS_DEMO_DEMOSCENES_H

#include "database/CGUIDatabase.h"

/// Files the demo's stations and modules into database, as a front-end application does.
void FileDemoStations(CGUIDatabase& database);
/// Destroys the modules and unfiles the stations again.
void UnfileDemoStations(CGUIDatabase& database);

/// Prints stations in map order, slot counts, product names and connected groups.
void ShowLookups(const CGUIDatabase& database);

/// Registers applications (settingsFolder's "Registry.txt") and taskbars; prints what the library finds.
void ShowInstallAndDisplay(const char* settingsFolder);

#endif
