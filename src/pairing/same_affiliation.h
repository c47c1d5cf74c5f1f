#pragma once
// The boards of a round whose two players share an affiliation, and the note that names them
// when the option "同じ所属どうしを避ける" could not keep them apart.

#include <string>
#include <vector>

#include "data/register.h"
#include "data/table.h"

namespace toq::pairing {

/// A game of the round between two players of one affiliation.
struct SameAffiliationBoard {
  int board = 0;            ///< 1-based, counting the games in row order of their first row
  int rows[2] = {-1, -1};   ///< the lower row first
  std::string affiliation;  ///< CP932, the shared affiliation without spaces at its ends
};

/// Every game of the round whose players share a (non-empty) affiliation.
std::vector<SameAffiliationBoard> sameAffiliationBoards(const data::Table& table,
                                                        const data::Register& players, int round);

/// One line "所属が同じ対局: 第3局 青山–南条（○○道場）" per board (UTF-8, joined by line
/// ends); empty when there is none.
std::string sameAffiliationNote(const data::Table& table, const data::Register& players, int round);

}  // namespace toq::pairing
