// A compile-time look-up from a 12-bit control id to the position of the handler it selects.
#ifndef CONTROL_CNTLDISPATCHTABLE_H
#define CONTROL_CNTLDISPATCHTABLE_H

#include "packets/DataHeader.h"
#include "platform/BaseTypes.h"

#include <array>
#include <cstddef>

/// One row of a group's dispatch: a control id and the handler position it selects.
struct CntlRoute {
  WORD CntlId;
  BYTE Position;
};

/// Handler position 0: no handler.
constexpr BYTE NoHandler = 0;

/// The rows of Routes spread over one dense array from their lowest to their highest control id,
/// so that a look-up is one bound check and one load; ids without a row give MissPosition. The
/// rows are checked while compiling: 12-bit ids, each once, positions other than 0.
template <const auto& Routes, BYTE MissPosition = NoHandler>
class CntlDispatchTable {
  static constexpr WORD LowestId() {
    WORD lowest = Routes[0].CntlId;
    for (const CntlRoute& route : Routes)
      lowest = route.CntlId < lowest ? route.CntlId : lowest;
    return lowest;
  }

  static constexpr WORD HighestId() {
    WORD highest = Routes[0].CntlId;
    for (const CntlRoute& route : Routes)
      highest = route.CntlId > highest ? route.CntlId : highest;
    return highest;
  }

  static constexpr WORD First = LowestId();
  static constexpr std::size_t Span = std::size_t{HighestId()} - First + 1;
  static_assert(HighestId() <= CntlIdMask, "a row the 12-bit control id could never reach");

  static constexpr std::array<BYTE, Span> Spread() {
    std::array<BYTE, Span> positions{};
    std::array<bool, Span> taken{};
    positions.fill(MissPosition);
    for (const CntlRoute& route : Routes) {
      // Not a constant expression, so a duplicate id or an empty position fails to compile.
      if (taken[route.CntlId - First] || route.Position == NoHandler)
        throw "duplicate control id or no handler";
      taken[route.CntlId - First] = true;
      positions[route.CntlId - First] = route.Position;
    }
    return positions;
  }

  static constexpr std::array<BYTE, Span> Positions = Spread();

public:
  /// The position that cntlId selects, or MissPosition when it has no row.
  static constexpr BYTE PositionOf(WORD cntlId) noexcept {
    // Ids below First wrap to large indexes and miss like those above the last row.
    const std::size_t index = static_cast<std::size_t>(cntlId) - First;
    return index < Span ? Positions[index] : MissPosition;
  }
};

#endif
