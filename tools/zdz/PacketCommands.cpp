// zdz packet decode: a module, station or semi-module packet given as hex, shown field by field by
// the library's DecodePacket.
#include "tools/zdz/ToolCommand.h"

#include <zodavudaz/control/PacketDecoding.h>

#include <cctype>
#include <cstdio>
#include <iostream>
#include <iterator>

namespace {
// Longer input is not a packet anyone types or pipes by hand.
constexpr std::size_t MaxPacketBytes = 1u << 20;

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
  if (bytes.size() < PacketHeaderBytes(kind))
    return Fail(ExitBadInput, "the packet has %zu bytes; its header alone needs %lu", bytes.size(),
                static_cast<unsigned long>(PacketHeaderBytes(kind)));
  CString text;
  DecodePacket(bytes.data(), static_cast<DWORD>(bytes.size()), kind, text);
  std::fwrite(static_cast<LPCTSTR>(text), 1, static_cast<std::size_t>(text.GetLength()), stdout);
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
