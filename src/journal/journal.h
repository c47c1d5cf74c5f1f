#pragma once
// The event's journal: beside the table file, one SQLite database that keeps every change that
// passed the door with its time, who made it, its name and the event's state after it (the
// table file's and the player file's bytes), so that any step's state can be had again
// exactly. SQLite keeps it whole through a power cut in the middle of a write.
//
//   std::string why;
//   std::unique_ptr<journal::Journal> j = journal::Journal::open(path, why);
//   if (!j) warn(why);                       // the table opens and saves all the same
//   j->append(entry, why);                   // before the change's answer is given
//
// The journal is never the event's source: the table file is.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "journal/database.h"
#include "journal/who.h"

namespace toq::journal {

/// What a step did to the undo history, so that it can be built again after a restart.
enum class Op {
  Base = 0,          ///< the state the journal starts from (a table opened, a history begun)
  Step = 1,          ///< a change kept as an undo step
  Fresh = 2,         ///< a change that replaced the document: earlier steps forgotten
  Undo = 3,          ///< the latest step taken back
  Redo = 4,          ///< the next undone step brought back
  Reread = 5,        ///< files another program changed, read again (the history forgotten)
  Disagreement = 6,  ///< the players of a board reported different results (nothing changed)
  Settled = 7,       ///< the organiser entered or confirmed that board's result
};

/// The event's state: the table file's and the player file's bytes.
struct State {
  std::string table;
  std::string players;
  bool operator==(const State&) const = default;
};

/// One step as the journal holds it, without its state.
struct StepInfo {
  std::int64_t step = 0;  ///< 1-based, in order of appending
  std::string time;       ///< local time, "2026-12-09 14:03:27"
  Who who;
  std::string label;  ///< UTF-8 name of the step
  Op op = Op::Step;
  std::vector<int> rounds;  ///< 0-based rounds whose games changed
  std::vector<int> rows;    ///< 0-based rows whose line changed
  std::int64_t tableState = 0;
  std::int64_t playersState = 0;
};

/// A step to append: its description and the state after it.
struct Entry {
  Who who;
  std::string label;
  Op op = Op::Step;
  std::vector<int> rounds;
  std::vector<int> rows;
  State state;
};

/// Which steps a listing wants, newest first.
struct Filter {
  int round = -1;         ///< 0-based; -1 any
  int row = -1;           ///< 0-based; -1 any
  std::size_t limit = 0;  ///< 0: all
};

class Journal {
 public:
  /// Opens or creates the journal; null with `why` (SQLite's message) when it cannot. A
  /// damaged file is set aside first ("<file>.damaged-<time>") and a new one begun, with
  /// `setAside` naming it.
  static std::unique_ptr<Journal> open(const std::filesystem::path& file, std::string& why,
                                       std::filesystem::path* setAside = nullptr);
  /// The journal beside a table file: "TABLE.journal".
  static std::filesystem::path beside(const std::filesystem::path& tableFile);

  const std::filesystem::path& file() const { return file_; }
  /// Appends a step, durable when it returns true; false with `why`.
  bool append(const Entry& entry, std::string& why);
  /// Reads the latest state again (another program may have appended since).
  bool reload(std::string& why);
  /// The latest step, if any.
  std::optional<StepInfo> last() const;
  /// The state after the latest step (empty parts when there is none).
  const State& lastState() const { return last_; }
  /// Steps newest first.
  std::vector<StepInfo> steps(const Filter& filter = {}) const;
  /// Every step oldest first from `from` (1-based) on.
  std::vector<StepInfo> stepsFrom(std::int64_t from) const;
  /// One step.
  std::optional<StepInfo> step(std::int64_t n) const;
  /// The bytes of one stored part of a state (StepInfo::tableState, playersState).
  std::optional<std::string> part(std::int64_t stateId) const;
  /// The state after step n.
  std::optional<State> stateAfter(std::int64_t n) const;

 private:
  Journal(Database db, std::filesystem::path file) : db_(std::move(db)), file_(std::move(file)) {}
  bool load(std::string& why);
  std::optional<std::int64_t> storePart(int part, const std::string& bytes, std::string& why);

  /// The latest stored version of one part (0 table, 1 players).
  struct Latest {
    std::int64_t id = 0;
    int depth = 0;
  };
  Database db_;
  std::filesystem::path file_;
  State last_;
  Latest latest_[2];
};

/// The local time now as the journal writes it.
std::string localTimeNow();

}  // namespace toq::journal
