#pragma once
// Result slips (結果用紙): one per board of a round, eight on an A4 page (two across, four
// down) with cut marks. Each holds the event, the round and the board, both players (name,
// rating, 先手/後手 or their part of the handicap) with a box to mark the winner, a box for a
// draw, a line to sign, and the QR code and code that open the desk for that board only.

#include <cstdint>
#include <string>
#include <vector>

#include "reports/print/layout.h"

namespace toq::reports::print {

/// A QR code's modules, row by row; the quiet zone is not included.
struct QrModules {
  int size = 0;                    ///< modules across and down
  std::vector<std::uint8_t> dark;  ///< size × size, 1 for a dark module
  bool at(int x, int y) const { return dark[static_cast<std::size_t>(y * size + x)] != 0; }
};

/// A player of a slip (texts CP932).
struct SlipPlayer {
  std::string name;
  int rating = 0;
  std::string part;  ///< "先手", "後手", "上手 香落ち", "下手"; empty when undecided
};

/// One board's slip (texts CP932).
struct SlipCard {
  std::string event;
  int round = 0;  ///< 1-based
  int board = 0;  ///< 1-based
  SlipPlayer players[2];
  std::string code;     ///< the desk's code, printed for typing
  std::string address;  ///< "http://HOST:PORT/desk#CODE"
  QrModules qr;         ///< the address; none (size 0) when this build has no QR encoder
};

/// Slips on a page.
inline constexpr int kSlipsAcross = 2;
inline constexpr int kSlipsDown = 4;
inline constexpr int kSlipsPerPage = kSlipsAcross * kSlipsDown;

/// Pages for `slips` slips, at least one.
int slipPages(std::size_t slips);

/// Draws page `context.page` of the slips.
void drawSlipPage(const PageContext& context, const std::vector<SlipCard>& slips);

}  // namespace toq::reports::print
