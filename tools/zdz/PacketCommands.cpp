// zdz packet decode: a module, station or semi-module packet shown field by field through its
// accessor class.
#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/control/CModuleCntl.h>
#include <zodavudaz/packets/CEndianModulePacket.h>
#include <zodavudaz/packets/CEndianSemiModulePacket.h>
#include <zodavudaz/packets/CEndianStaPacket.h>
#include <zodavudaz/packets/DataHeader.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <iostream>
#include <iterator>

namespace {
// Longer input is not a packet anyone types or pipes by hand.
constexpr std::size_t MaxPacketBytes = 1u << 20;

enum class PacketKind { Module, Station, Semi };

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9')
    return ch - '0';
  const int lower = std::tolower(static_cast<unsigned char>(ch));
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

/// Pairs of hex digits, blanks allowed between pairs; false on anything else.
bool ParseHex(const std::string& text, std::vector<BYTE>& bytes) {
  int high = -1;
  for (char ch : text) {
    if (std::isspace(static_cast<unsigned char>(ch))) {
      if (high >= 0)
        return false;
      continue;
    }
    const int digit = HexDigit(ch);
    if (digit < 0)
      return false;
    if (high < 0) {
      high = digit;
      continue;
    }
    bytes.push_back(static_cast<BYTE>(high << 4 | digit));
    high = -1;
  }
  return high < 0 && bytes.size() <= MaxPacketBytes;
}

const char* GroupName(WORD cmdId) {
  switch (cmdId & CmdGroupMask) {
  case CmdGroupReqExec: return "request exec";
  case CmdGroupEvent: return "event";
  case CmdGroupRplyExec: return "reply exec";
  case CmdGroupParam: return "param";
  case CmdGroupQuery: return "query";
  case CmdGroupGui: return "GUI";
  case CmdGroupHelp: return "help";
  default: return "unknown";
  }
}

std::string FlagNames(WORD cmdId) {
  std::string names = cmdId & CmdFlagReply ? "reply" : "request";
  if (cmdId & CmdFlagOwnHandlerFirst)
    names += ", own handler first (0x10)";
  if (cmdId & CmdFlagOwnHandlerOnly)
    names += ", own handler only (0x20)";
  if (cmdId & 0x40)
    names += ", unknown flag 0x40";
  return names;
}

/// The data header fields that module and semi-module packets share.
template <typename PacketT>
void PrintDataHeader(const PacketT& packet, const char* indent) {
  const WORD cmdId = packet.GetCmdId();
  std::printf("%smodule id       %u (module %u)\n", indent, packet.GetModuleId(), packet.GetModuleXId());
  std::printf("%scommand id      0x%02X: group %u (%s), %s\n", indent, cmdId, cmdId & CmdGroupMask, GroupName(cmdId),
              FlagNames(cmdId).c_str());
  std::printf("%scontrol         0x%04X: id 0x%03X, offset %u\n", indent, packet.GetCntl(), packet.GetMaskedCntlId(),
              packet.GetCntlOfst());
  std::printf("%sparam type      0x%02X\n%sversion         %u\n%sparam num       %lu\n", indent, packet.GetParamType(),
              indent, packet.GetVersion(), indent, static_cast<unsigned long>(packet.GetParamNum()));
  std::printf("%sthread addr     0x%08lX\n", indent, static_cast<unsigned long>(packet.GetThreadAddr()));
}

/// Prints the data bytes the packet claims, as far as they were given.
void PrintData(const BYTE* data, std::size_t claimed, std::size_t given, const char* indent) {
  std::printf("%sdata            %zu bytes", indent, claimed);
  for (std::size_t i = 0; i < std::min(claimed, given); ++i)
    std::printf(" %02X", data[i]);
  std::printf("\n");
  if (claimed > given)
    std::printf("%swarning: the packet claims %zu data bytes, %zu were given\n", indent, claimed, given);
  else if (given > claimed)
    std::printf("%snote: %zu bytes after the packet's data\n", indent, given - claimed);
}

void PrintHandlers(const _ModulePacket* packet, const char* indent) {
  LPCTSTR names[MaxHandlersPerPacket] = {};
  const int count = GetModuleCntlHandlerNames(packet, names);
  std::printf("%shandlers        %s", indent, count == 0 ? "none" : names[0]);
  for (int i = 1; i < count; ++i)
    std::printf(", then %s", names[i]);
  std::printf("\n");
}

void PrintModulePacket(_ModulePacket* bytes, std::size_t length, const char* indent) {
  CEndianModulePacket packet(bytes);
  std::printf("%ssize            %lu (packet %lu bytes)\n", indent, static_cast<unsigned long>(packet.GetSize()),
              static_cast<unsigned long>(packet.GetPacketSize()));
  std::printf("%sall bytes       %lu (transfer data %lu)\n", indent, static_cast<unsigned long>(packet.GetAllBytes()),
              static_cast<unsigned long>(packet.GetAllDataSize()));
  std::printf("%spacket          %lu of %lu\n", indent, static_cast<unsigned long>(packet.GetCurPacketNo()),
              static_cast<unsigned long>(packet.GetAllPacket()));
  PrintDataHeader(packet, indent);
  PrintHandlers(bytes, indent);
  PrintData(static_cast<const BYTE*>(packet.GetData()), packet.GetDataSize(), length - sizeof(_ModulePacket), indent);
}

void PrintStationPacket(_StaPackect* bytes, std::size_t length) {
  CEndianStaPacket packet(bytes);
  std::printf("station packet\nrx addr         0x%08lX\ntx addr         0x%08lX\n",
              static_cast<unsigned long>(packet.GetRXAddr()), static_cast<unsigned long>(packet.GetTXAddr()));
  std::printf("body size       %u (station packet %u bytes)\nmodule packet\n", packet.GetBodySize(), packet.GetSize());
  PrintModulePacket(packet.GetModulePacket(), length - offsetof(_StaPackect, ModulePacket), "  ");
}

void PrintSemiPacket(_SemiModulePacket* bytes, std::size_t length) {
  CEndianSemiModulePacket packet(bytes);
  std::printf("semi-module packet\n");
  PrintDataHeader(packet, "");
  PrintData(static_cast<const BYTE*>(packet.GetData()), packet.GetDataSize(), length - sizeof(_SemiModulePacket), "");
}

std::size_t HeaderBytes(PacketKind kind) {
  switch (kind) {
  case PacketKind::Station: return sizeof(_StaPackect);
  case PacketKind::Semi: return sizeof(_SemiModulePacket);
  default: return sizeof(_ModulePacket);
  }
}

/// The kind option, then the hex text of the remaining arguments or of standard input.
bool ReadInput(const ToolArguments& args, PacketKind& kind, std::string& hex) {
  std::size_t first = 0;
  kind = PacketKind::Module;
  if (args[0] == "--station" || args[0] == "--semi" || args[0] == "--module") {
    kind = args[0] == "--station" ? PacketKind::Station : args[0] == "--semi" ? PacketKind::Semi : PacketKind::Module;
    first = 1;
  }
  if (args.size() == first + 1 && args[first] == "-") {
    hex.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  for (std::size_t i = first; i < args.size(); ++i)
    hex += args[i] + " ";
  return first < args.size();
}

int Decode(const ToolArguments& args) {
  PacketKind kind = PacketKind::Module;
  std::string hex;
  if (!ReadInput(args, kind, hex))
    return Fail(ExitBadInput, "no packet bytes given");
  std::vector<BYTE> bytes;
  if (!ParseHex(hex, bytes))
    return Fail(ExitBadInput, "the packet is not pairs of hex digits (at most %zu bytes)", MaxPacketBytes);
  if (bytes.size() < HeaderBytes(kind))
    return Fail(ExitBadInput, "the packet has %zu bytes; its header alone needs %zu", bytes.size(), HeaderBytes(kind));
  if (kind == PacketKind::Station)
    PrintStationPacket(reinterpret_cast<_StaPackect*>(bytes.data()), bytes.size());
  else if (kind == PacketKind::Semi)
    PrintSemiPacket(reinterpret_cast<_SemiModulePacket*>(bytes.data()), bytes.size());
  else
    PrintModulePacket(reinterpret_cast<_ModulePacket*>(bytes.data()), bytes.size(), "");
  return ExitDone;
}
} // namespace

const ToolCommand PacketCommands[] = {
    {"packet", "decode", "[--module|--station|--semi] HEX... | -",
     "Shows a packet given as hex bytes (blanks between bytes allowed; - reads them from standard input)\n"
     "field by field: sizes, command group and flags, control id and offset, and the data.",
     1, 0xFFFF, Decode},
    {nullptr, nullptr, nullptr, nullptr, 0, 0, nullptr},
};
