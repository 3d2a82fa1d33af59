// A group's look-up from a 12-bit control id to the position of the handler it selects.
#ifndef CONTROL_CNTLDISPATCHTABLE_H
#define CONTROL_CNTLDISPATCHTABLE_H

#include <zodavudaz/platform/BaseTypes.h>

#include <array>
#include <cstddef>

/// Handler position 0: no handler.
constexpr BYTE NoHandler = 0;

/// One group's dispatch: the positions of the ids from First to First + Span - 1 in Positions,
/// MissPosition for every other id. A look-up is one bound check and one load.
struct CntlDispatchTable {
  WORD First;
  WORD Span;
  const BYTE* Positions;
  BYTE MissPosition;

  /// The position that cntlId selects.
  constexpr BYTE PositionOf(WORD cntlId) const noexcept {
    // Ids below First wrap to large indexes and miss like those past the last one.
    const std::size_t index = static_cast<std::size_t>(cntlId) - First;
    return index < Span ? Positions[index] : MissPosition;
  }
};

/// A group in which every control id selects position.
constexpr CntlDispatchTable EveryIdTo(BYTE position) noexcept { return {0, 0, nullptr, position}; }

/// One row of a group's dispatch: a control id and the handler position it selects.
struct CntlRoute {
  WORD CntlId;
  BYTE Position;
};

/// The rows of Routes spread over one dense array from their lowest to their highest control id;
/// ids without a row select MissPosition. The rows are checked while compiling: 12-bit ids, each
/// once, positions other than 0.
template <const auto& Routes, BYTE MissPosition = NoHandler>
class SpreadRoutes {
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
  static constexpr WORD Span = HighestId() - First + 1;
  static_assert(HighestId() <= 0x0FFF, "a row that the 12-bit control id never reaches");

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
  static constexpr CntlDispatchTable Table = {First, Span, Positions.data(), MissPosition};
};

#endif
