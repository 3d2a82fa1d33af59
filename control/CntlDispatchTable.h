// A group's look-up from a 12-bit control id to the position of the handler it selects.
#ifndef CONTROL_CNTLDISPATCHTABLE_H
#define CONTROL_CNTLDISPATCHTABLE_H

#include <zodavudaz/platform/BaseTypes.h>

#include <array>
#include <cstddef>

/// Handler position 0: no handler.
constexpr BYTE NoHandler = 0;

/// One group's dispatch: the positions of the ids from First to First + Span - 1 in Positions,
/// then the position of every other id at Positions[Span]. A look-up is one clamp and one load,
/// without a branch that a random mix of packets would mispredict.
struct CntlDispatchTable {
  const BYTE* Positions;
  WORD First;
  WORD Span;

  /// The position that cntlId selects.
  constexpr BYTE PositionOf(WORD cntlId) const noexcept {
    // Ids below First wrap to large indexes and miss like those past the last one.
    const std::size_t index = static_cast<std::size_t>(cntlId) - First;
    return Positions[index < Span ? index : Span];
  }
};

/// The one-entry position array of a group in which every control id selects Position.
template <BYTE Position>
inline constexpr BYTE OnlyPosition[1] = {Position};

/// A group in which every control id selects Position.
template <BYTE Position>
inline constexpr CntlDispatchTable EveryIdTo = {OnlyPosition<Position>, 0, 0};

/// One row of a group's dispatch: a control id and the handler position it selects.
struct CntlRoute {
  WORD CntlId;
  BYTE Position;
};

/// The rows of Routes spread over one dense array from their lowest to their highest control id,
/// MissPosition after them; ids without a row select MissPosition. The rows are checked while
/// compiling: 12-bit ids, each once, positions other than 0.
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

  static constexpr std::array<BYTE, Span + 1> Spread() {
    std::array<BYTE, Span + 1> positions{};
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

  static constexpr std::array<BYTE, Span + 1> Positions = Spread();

public:
  static constexpr CntlDispatchTable Table = {Positions.data(), First, Span};
};

#endif
