#pragma once
// Results from the keyboard: which key enters which result in the main view's list, and where
// the current cell goes afterwards, so that a whole round is entered without the mouse. Keys
// are plain codes (no toolkit's): ASCII letters and digits as themselves, Delete as kDeleteKey.

#include <cstdint>
#include <optional>

#include "data/table.h"

namespace toq::view {

/// The Delete key's code (ASCII DEL).
inline constexpr int kDeleteKey = 0x7F;

/// The status bar's hint while a round cell is current (UTF-8).
inline constexpr const char* kResultKeysHint =
    "結果の入力: W/1 勝ち　L/2 負け　D/3 引き分け　Del/0 取り消し";

/// The result code a key enters from the current line's player's side: W or 1 win, L or 2
/// loss, D or 3 draw, Delete or 0 no result (letters in either case); none for any other key.
/// A key pressed with Ctrl or Alt is a shortcut, not a result: the front end does not ask.
std::optional<std::int16_t> resultOfKey(int key);

/// True when the cell of (row, round) holds a game, so that a result key applies to it.
bool holdsGame(const data::Table& table, int row, int round);

/// Where the current cell goes after a result was entered for (row, round): the row of the
/// next game of that round without a result below `row`, passing over the game of `row`
/// itself (its opponent's row); after the last row it goes on from the top. None when every
/// other game of the round has a result: the current cell stays where it is.
std::optional<int> nextRowWithoutResult(const data::Table& table, int row, int round);

}  // namespace toq::view
