#pragma once
// What an editing command did, so that a window slot or a command-line sub-command only has to
// refresh, print or set its exit status.

#include <optional>

namespace toq::edit {

/// Why a command stopped without changing anything.
enum class Stop {
  None,          ///< it did not stop
  BadIndex,      ///< a row, round or register position out of range (message shown)
  Locked,        ///< the table's lock flag refused it (message shown)
  Declined,      ///< a question answered No, or a dialog cancelled
  NothingToDo,   ///< nothing to act on (no free round, no game in the cell...), silently
  Refused,       ///< refused with an error message (taken name, full table...)
  NotReadWhole,  ///< a file of the event did not read whole: nothing may change (message shown)
};

/// Result of one editing command.
struct Outcome {
  /// 0 done; -1 stopped or refused (nothing changed); -2 the change stands in memory but its
  /// file could not be written.
  int code = -1;
  Stop stop = Stop::None;
  bool changed = false;  ///< the table or register changed: the view must be refreshed
  bool saved = false;    ///< the command's file was written
  int round = -1;        ///< the round the command worked on, when it has one
  int row = -1;          ///< the table row it worked on (or the register position)
  int other = -1;        ///< the second row (opponent, exchanged row) or the player number
  int count = 0;         ///< records handled (players deleted)

  bool done() const { return code == 0; }
};

/// A stop with its reason.
inline Outcome stopped(Stop why) {
  Outcome o;
  o.stop = why;
  return o;
}

/// A dialog answer fixed in advance, for front ends without dialogs (the command line):
/// `setOpponent(ws, ui, row, given(7))`.
template <class T>
auto given(T value) {
  return [value](const auto&) { return std::optional<T>(value); };
}

}  // namespace toq::edit
