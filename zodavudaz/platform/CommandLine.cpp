#include <zodavudaz/platform/CommandLine.h>

#include <zodavudaz/platform/CString.h>

#include <cstdio>

namespace {
/// The arguments of this process joined by blanks; each ends with a zero in the system's list.
CString ReadOwnCommandLine() noexcept {
  CString text;
  std::FILE* file = std::fopen("/proc/self/cmdline", "rb");
  if (file == nullptr)
    return text;
  for (int ch; (ch = std::fgetc(file)) != EOF;)
    text += ch == '\0' ? ' ' : static_cast<char>(ch);
  std::fclose(file);
  // The last argument's zero ends the text rather than separating a further argument.
  return text.IsEmpty() ? text : text.Left(text.GetLength() - 1);
}

struct CommandLineState {
  CString Own = ReadOwnCommandLine();
  CString Override;
  bool Overridden = false;
};

CommandLineState& State() noexcept {
  static CommandLineState state;
  return state;
}
} // namespace

LPTSTR GetCommandLineA() noexcept {
  CommandLineState& state = State();
  return const_cast<LPTSTR>(static_cast<LPCTSTR>(state.Overridden ? state.Override : state.Own));
}

void OverrideCommandLine(LPCTSTR text) noexcept {
  CommandLineState& state = State();
  state.Overridden = text != nullptr;
  state.Override = text != nullptr ? text : "";
}
