// A group's dispatch by 12-bit control id: a search unrolled while compiling, or a dense array.
#ifndef ZODAVUDAZ_CONTROL_CNTLROUTEDISPATCH_H
#define ZODAVUDAZ_CONTROL_CNTLROUTEDISPATCH_H

#include <zodavudaz/platform/BaseTypes.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <type_traits>

/// Handler position 0: no handler.
constexpr BYTE NoHandler = 0;

/// A handler position as a type, so that whoever is visited with it has a call site of its own
/// for each handler: the processor then learns each site's single target.
template <BYTE Position>
inline constexpr std::integral_constant<BYTE, Position> HandlerPosition{};

/// One row of a group's dispatch: a control id and the handler position it selects.
struct CntlRoute {
  WORD CntlId;
  BYTE Position;
};

/// Routes checked while compiling: 12-bit ids, each once, positions other than 0.
template <const auto& Routes>
constexpr bool AreValidRoutes() {
  for (const CntlRoute& route : Routes) {
    if (route.CntlId > 0x0FFF || route.Position == NoHandler)
      return false;
    for (const CntlRoute& other : Routes)
      if (&other != &route && other.CntlId == route.CntlId)
        return false;
  }
  return true;
}

/// Routes in the order of their control ids.
template <const auto& Routes>
inline constexpr auto SortedRoutes = [] {
  std::array<CntlRoute, std::size(Routes)> rows{};
  std::copy(std::begin(Routes), std::end(Routes), rows.begin());
  std::sort(rows.begin(), rows.end(), [](CntlRoute left, CntlRoute right) { return left.CntlId < right.CntlId; });
  return rows;
}();

/// A binary search of the sorted rows from Low to High - 1, unrolled while compiling, as a
/// compiler lowers a sparse switch.
template <const auto& Rows, BYTE MissPosition, std::size_t Low, std::size_t High, typename Visit>
void VisitRowsBetween(WORD cntlId, Visit& visit) {
  if constexpr (Low == High) {
    visit(HandlerPosition<MissPosition>);
  } else {
    constexpr std::size_t Middle = Low + (High - Low) / 2;
    constexpr CntlRoute Row = Rows[Middle];
    if (cntlId == Row.CntlId)
      visit(HandlerPosition<Row.Position>);
    else if (cntlId < Row.CntlId)
      VisitRowsBetween<Rows, MissPosition, Low, Middle>(cntlId, visit);
    else
      VisitRowsBetween<Rows, MissPosition, Middle + 1, High>(cntlId, visit);
  }
}

/// Routes spread over one dense array from their lowest to their highest control id, followed
/// by MissPosition, which ids without a row select.
template <const auto& Routes, BYTE MissPosition>
struct SpreadRoutes {
  static constexpr WORD First = SortedRoutes<Routes>.front().CntlId;
  static constexpr WORD Span = SortedRoutes<Routes>.back().CntlId - First + 1;
  static constexpr auto Positions = [] {
    std::array<BYTE, Span + 1> positions{};
    positions.fill(MissPosition);
    for (const CntlRoute& route : Routes)
      positions[route.CntlId - First] = route.Position;
    return positions;
  }();

  /// The position that cntlId selects: a clamp and one load.
  static BYTE PositionOf(WORD cntlId) noexcept {
    // Ids below First wrap to large indexes and miss like those past the last one.
    return Positions[std::min<std::size_t>(static_cast<std::size_t>(cntlId) - First, Span)];
  }
};

/// Routes whose ids lie close together enough for a dense array to pay. Measured on a mix of
/// packets, the search is faster for the sparse groups: its call sites each learn their
/// one target, where the array's single indirect call mispredicts.
template <const auto& Routes>
constexpr bool AreDense() {
  return SortedRoutes<Routes>.back().CntlId - SortedRoutes<Routes>.front().CntlId < 4 * std::size(Routes);
}

/// Visits the position of the row of Routes whose id is cntlId, or MissPosition without one:
/// dense rows through an array, with the position known only while running; sparse rows by a
/// search, with each position known while compiling.
template <const auto& Routes, BYTE MissPosition = NoHandler, typename Visit>
void VisitRoute(WORD cntlId, Visit& visit) {
  static_assert(AreValidRoutes<Routes>(), "a control id above 0x0FFF, twice, or without a handler");
  if constexpr (AreDense<Routes>())
    visit(SpreadRoutes<Routes, MissPosition>::PositionOf(cntlId));
  else
    VisitRowsBetween<SortedRoutes<Routes>, MissPosition, 0, std::size(Routes)>(cntlId, visit);
}

#endif
