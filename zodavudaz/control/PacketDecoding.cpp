#include <zodavudaz/control/PacketDecoding.h>

#include <zodavudaz/control/CModuleCntl.h>
#include <zodavudaz/packets/DataHeader.h>

#include <algorithm>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <new>
#include <string>

namespace {
/// Appends printf-style output to text.
void AppendFormat(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));

void AppendFormat(std::string& text, const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length > 0) {
    const std::size_t end = text.size();
    text.resize(end + static_cast<std::size_t>(length) + 1);
    std::vsnprintf(text.data() + end, static_cast<std::size_t>(length) + 1, format, args);
    text.resize(end + static_cast<std::size_t>(length));
  }
  va_end(args);
}

const char* GroupName(WORD cmdId) noexcept {
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
void AppendDataHeader(std::string& text, const PacketT& packet, const char* indent) {
  const WORD cmdId = packet.GetCmdId();
  AppendFormat(text, "%smodule id       %u (module %u)\n", indent, packet.GetModuleId(), packet.GetModuleXId());
  AppendFormat(text, "%scommand id      0x%02X: group %u (%s), %s\n", indent, cmdId, cmdId & CmdGroupMask,
               GroupName(cmdId), FlagNames(cmdId).c_str());
  AppendFormat(text, "%scontrol         0x%04X: id 0x%03X, offset %u\n", indent, packet.GetCntl(),
               packet.GetMaskedCntlId(), packet.GetCntlOfst());
  AppendFormat(text, "%sparam type      0x%02X\n%sversion         %u\n%sparam num       %lu\n", indent,
               packet.GetParamType(), indent, packet.GetVersion(), indent,
               static_cast<unsigned long>(packet.GetParamNum()));
  AppendFormat(text, "%sthread addr     0x%08lX\n", indent, static_cast<unsigned long>(packet.GetThreadAddr()));
}

/// The data bytes the packet claims, as far as they were given.
void AppendData(std::string& text, const BYTE* data, std::size_t claimed, std::size_t given, const char* indent) {
  AppendFormat(text, "%sdata            %zu bytes", indent, claimed);
  for (std::size_t i = 0; i < std::min(claimed, given); ++i)
    AppendFormat(text, " %02X", data[i]);
  text += '\n';
  if (claimed > given)
    AppendFormat(text, "%swarning: the packet claims %zu data bytes, %zu were given\n", indent, claimed, given);
  else if (given > claimed)
    AppendFormat(text, "%snote: %zu bytes after the packet's data\n", indent, given - claimed);
}

void AppendHandlers(std::string& text, const _ModulePacket* packet, const char* indent) {
  LPCTSTR names[MaxHandlersPerPacket] = {};
  const int count = GetModuleCntlHandlerNames(packet, names);
  AppendFormat(text, "%shandlers        %s", indent, count == 0 ? "none" : names[0]);
  for (int i = 1; i < count; ++i)
    AppendFormat(text, ", then %s", names[i]);
  text += '\n';
}

void AppendModulePacket(std::string& text, _ModulePacket* bytes, std::size_t length, const char* indent) {
  CEndianModulePacket packet(bytes);
  AppendFormat(text, "%ssize            %lu (packet %lu bytes)\n", indent, static_cast<unsigned long>(packet.GetSize()),
               static_cast<unsigned long>(packet.GetPacketSize()));
  AppendFormat(text, "%sall bytes       %lu (transfer data %lu)\n", indent,
               static_cast<unsigned long>(packet.GetAllBytes()), static_cast<unsigned long>(packet.GetAllDataSize()));
  AppendFormat(text, "%spacket          %lu of %lu\n", indent, static_cast<unsigned long>(packet.GetCurPacketNo()),
               static_cast<unsigned long>(packet.GetAllPacket()));
  AppendDataHeader(text, packet, indent);
  AppendHandlers(text, bytes, indent);
  AppendData(text, static_cast<const BYTE*>(packet.GetData()), packet.GetDataSize(), length - sizeof(_ModulePacket),
             indent);
}

void AppendStationPacket(std::string& text, _StaPackect* bytes, std::size_t length) {
  CEndianStaPacket packet(bytes);
  AppendFormat(text, "station packet\nrx addr         0x%08lX\ntx addr         0x%08lX\n",
               static_cast<unsigned long>(packet.GetRXAddr()), static_cast<unsigned long>(packet.GetTXAddr()));
  AppendFormat(text, "body size       %u (station packet %u bytes)\nmodule packet\n", packet.GetBodySize(),
               packet.GetSize());
  AppendModulePacket(text, packet.GetModulePacket(), length - offsetof(_StaPackect, ModulePacket), "  ");
}

void AppendSemiPacket(std::string& text, _SemiModulePacket* bytes, std::size_t length) {
  CEndianSemiModulePacket packet(bytes);
  text += "semi-module packet\n";
  AppendDataHeader(text, packet, "");
  AppendData(text, static_cast<const BYTE*>(packet.GetData()), packet.GetDataSize(), length - sizeof(_SemiModulePacket),
             "");
}
} // namespace

int DecodePacket(const void* packet, DWORD length, PacketKind kind, CString& text) noexcept {
  text.Empty();
  const bool knownKind = kind == PacketKind::Module || kind == PacketKind::Station || kind == PacketKind::Semi;
  if (packet == nullptr || !knownKind || length < PacketHeaderBytes(kind))
    return 0;
  // The accessors only read here.
  void* bytes = const_cast<void*>(packet);
  try {
    std::string decoded;
    if (kind == PacketKind::Station)
      AppendStationPacket(decoded, static_cast<_StaPackect*>(bytes), length);
    else if (kind == PacketKind::Semi)
      AppendSemiPacket(decoded, static_cast<_SemiModulePacket*>(bytes), length);
    else
      AppendModulePacket(decoded, static_cast<_ModulePacket*>(bytes), length, "");
    // CString counts in int.
    if (decoded.size() > static_cast<std::size_t>(INT_MAX))
      return 0;
    text = CString(decoded.data(), static_cast<int>(decoded.size()));
    if (text.GetLength() == static_cast<int>(decoded.size()))
      return 1;
    text.Empty();
    return 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}
