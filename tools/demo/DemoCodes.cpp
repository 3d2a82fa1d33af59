#include "tools/demo/DemoCodes.h"

#include <zodavudaz/packets/DataHeader.h>
#include <zodavudaz/sim/SimControl.h>

#include <cstdio>

namespace {
struct Named {
  DWORD Code;
  const char* Name;
};

const Named Results[] = {
    {0, "success"},
    {205, "unknown station or module (module query)"},
    {207, "unusable slot in the module test"},
    {302, "no wave information"},
    {400, "scratch allocation failed"},
    {502, "unknown station or module, or current data refused (acquisition data)"},
    {0xFFFF, "missing module or failed sequence request"},
    {SimNoModule, "the simulated frontend library has no such module"},
    {SimBadRequest, "the simulated module cannot read the request"},
    {SimPostRefused, "the simulated manager refused the post"},
};

const Named Messages[] = {
    {0x437, "start/stop button"},
    {0x44A, "stop viewer"},
    {0x43A, "start LED"},
};

const Named MessageKinds[] = {
    {0, "stop viewer"},
    {2, "button"},
};

const Named Types[] = {
    {0x00, "unsigned 8-bit"}, {0x01, "unsigned 8-bit"}, {0x10, "signed 16-bit"}, {0x11, "signed 16-bit"},
    {0x20, "signed 32-bit"},  {0x21, "signed 32-bit"},  {0x22, "32-bit float"},  {0x32, "64-bit double"},
};

const char* const GroupNames[16] = {"request exec", nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "event",
                                    "reply exec",   "param", "query", "GUI",   "help",  nullptr, nullptr, nullptr};

const char* NameOf(const Named* table, std::size_t count, DWORD code, const char* unknown) {
  for (std::size_t index = 0; index < count; ++index)
    if (table[index].Code == code)
      return table[index].Name;
  return unknown;
}
} // namespace

const char* ResultName(DWORD code) {
  return NameOf(Results, std::size(Results), code, "a code passed on from a sibling library");
}

const char* MessageName(DWORD message) { return NameOf(Messages, std::size(Messages), message, "unknown message"); }

const char* MessageKindName(BYTE kind) { return NameOf(MessageKinds, std::size(MessageKinds), kind, "unknown kind"); }

const char* TypeName(WORD type) { return NameOf(Types, std::size(Types), type, "no conversion"); }

std::string CommandText(WORD cmdId) {
  const WORD group = cmdId & CmdGroupMask;
  char text[128];
  std::snprintf(text, sizeof text, "group %u %s%s%s%s", group, GroupNames[group] != nullptr ? GroupNames[group] : "?",
                cmdId & CmdFlagReply ? " | reply 0x80" : "",
                cmdId & CmdFlagOwnHandlerFirst ? " | own handler first 0x10" : "",
                cmdId & CmdFlagOwnHandlerOnly ? " | own handler only 0x20" : "");
  return text;
}
