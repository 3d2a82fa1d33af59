// The scenes of the demo application, each printing what the library answers.
#ifndef ZODAVUDAZ_TOOLS_DEMO_DEMOSCENES_H
#define ZODAVUDAZ_TOOLS_DEMO_DEMOSCENES_H

#include "tools/demo/DemoTargets.h"
#include <zodavudaz/database/CGUIDatabase.h>

/// Files the stations and modules of descriptionFile (null: the file ZDZ_VIRTUAL_STATIONS names)
/// into database, as a front-end application does; false, with the reason printed, when it cannot.
bool FileDemoStations(CGUIDatabase& database, const char* descriptionFile);
/// Ends and destroys the modules (Exit), then deletes the stations.
void UnfileDemoStations(CGUIDatabase& database);

/// Says what the demo is, where its stations and settings come from, how to read its codes and
/// which modules the scenes play against (and which scenes are skipped for want of one).
void ShowIntroduction(const char* descriptionFile, const char* settingsSource, const char* settingsCopy,
                      const DemoTargets& targets);

/// Prints the stations in id order, slot counts, product names and connected groups.
void ShowLookups(const CGUIDatabase& database);

/// Builds a module packet and a station packet around it and prints their fields, then prints the
/// reply of the acquisition module's simulated frontend to one GUI query.
void ShowPackets(const CGUIDatabase& database, const DemoTargets& targets);

/// Loads each station's stored GUI state from the settings folder and prints it, then stores the
/// acquisition module's window placement and reads it back.
void ShowSettings(CGUIDatabase& database, const DemoTargets& targets);

/// Writes a viewer's settings as text, reads them back and prints both; then the stored viewer
/// settings of the acquisition module.
void ShowViewerProperty(const DemoTargets& targets);

/// Unit texts of the acquisition module's channels, the module test, the start and stop buttons
/// with what the sequence thread receives, and the start LED.
void ShowControl(CGUIDatabase& database, const DemoTargets& targets);

/// Starts the acquisition module's sequence, steps the clock three times a little over a second
/// with the announcements and the current value after each, and stops it.
void ShowLiveSequence(CGUIDatabase& database, const DemoTargets& targets);

/// Registers applications (settingsFolder's "Registry.txt") and taskbars; prints what the library finds.
void ShowInstallAndDisplay(const char* settingsFolder);

/// Interprets a few received packets and prints the handlers they reach.
void ShowInterpreter();

/// Reads wave information and acquired data of the acquisition module, puts a few queries,
/// registers a front end's use, stops a viewer, and ends with Exit.
void ShowRequests(CGUIDatabase& database, const DemoTargets& targets);

#endif
