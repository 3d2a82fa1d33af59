// The scenes of the demo application, each printing what the library answers.
#ifndef ZODAVUDAZ_TOOLS_DEMO_DEMOSCENES_H
#define ZODAVUDAZ_TOOLS_DEMO_DEMOSCENES_H

#include <zodavudaz/database/CGUIDatabase.h>

/// Files the stations and modules of descriptionFile (null: the file ZDZ_VIRTUAL_STATIONS names)
/// into database, as a front-end application does; false, with the reason printed, when it cannot.
bool FileDemoStations(CGUIDatabase& database, const char* descriptionFile);
/// Ends and destroys the modules (Exit), then deletes the stations.
void UnfileDemoStations(CGUIDatabase& database);

/// Says what the demo is, where its stations and settings come from and how to read its codes.
void ShowIntroduction(const char* descriptionFile, const char* settingsFolder);

/// Prints stations in map order, slot counts, product names and connected groups.
void ShowLookups(const CGUIDatabase& database);

/// Builds a module packet and a station packet around it and prints their fields, then prints the
/// reply of a module's simulated frontend to one GUI query.
void ShowPackets(const CGUIDatabase& database);

/// Loads each demo station's stored GUI state from the settings folder and prints it.
void ShowSettings(CGUIDatabase& database);

/// Writes a viewer's settings as text, reads them back and prints both.
void ShowViewerProperty();

/// Unit texts of a module's channels, its module test, the start and stop buttons and the start LED.
void ShowControl();

/// Registers applications (settingsFolder's "Registry.txt") and taskbars; prints what the library finds.
void ShowInstallAndDisplay(const char* settingsFolder);

/// Interprets a few received packets and prints the handlers they reach.
void ShowInterpreter();

/// Reads wave information and acquired data of slot 2 of station 5, puts a few queries, registers
/// a front end's use, stops a viewer, and ends with Exit.
void ShowRequests(CGUIDatabase& database);

#endif
