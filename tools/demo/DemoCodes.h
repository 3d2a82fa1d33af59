// What the codes the demo prints mean: result codes, message numbers and command bytes by name.
#ifndef ZODAVUDAZ_TOOLS_DEMO_DEMOCODES_H
#define ZODAVUDAZ_TOOLS_DEMO_DEMOCODES_H

#include <zodavudaz/platform/BaseTypes.h>

#include <string>

/// The meaning of a request's result code ("success", "unusable slot in the module test", ...).
const char* ResultName(DWORD code);

/// The purpose of a message posted to the communication manager's threads.
const char* MessageName(DWORD message);

/// The kind of a sequence message record: 2 a start or stop button, 0 a stopped viewer.
const char* MessageKindName(BYTE kind);

/// What the library converts a value of type code type to ("signed 16-bit", ...).
const char* TypeName(WORD type);

/// A module packet's command byte split into its group (with the group's name) and flags.
std::string CommandText(WORD cmdId);

#endif
