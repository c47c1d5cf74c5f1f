#include "journal/journal.h"

#include "text/format.h"

#include <ctime>
#include <system_error>

#include "journal/delta.h"

namespace toq::journal {

namespace {

// A part is kept whole at least every so many versions, so that reading any state applies a
// bounded number of deltas.
constexpr int kMaxDepth = 48;

// Write-ahead logging with NORMAL sync: a commit is not flushed by itself, the log is flushed
// at each checkpoint. A killed program loses nothing (the log is in the system's cache) and a
// power cut leaves the journal whole, perhaps without its latest steps; the table file, flushed
// at every save, stays the record, and the door records what the journal lacks as a step of
// its own when the table is next opened.
constexpr char kSchema[] =
    "PRAGMA journal_mode=WAL;"
    "PRAGMA synchronous=NORMAL;"
    "CREATE TABLE IF NOT EXISTS states(id INTEGER PRIMARY KEY, part INTEGER NOT NULL,"
    " base INTEGER, depth INTEGER NOT NULL, data BLOB NOT NULL);"
    "CREATE TABLE IF NOT EXISTS steps(id INTEGER PRIMARY KEY, time TEXT NOT NULL,"
    " op INTEGER NOT NULL, who_kind TEXT NOT NULL, who_round INTEGER, who_board INTEGER,"
    " who_address TEXT, label TEXT NOT NULL, rounds TEXT NOT NULL, rows TEXT NOT NULL,"
    " table_state INTEGER NOT NULL, players_state INTEGER NOT NULL);";

constexpr char kStepColumns[] =
    "SELECT id, time, op, who_kind, who_round, who_board, who_address, label, rounds, rows,"
    " table_state, players_state FROM steps ";

// ",1,5," for a LIKE that finds ",5,".
std::string listText(const std::vector<int>& values) {
  std::string out = ",";
  for (int v : values) out += std::to_string(v) + ",";
  return out;
}

std::vector<int> listOf(const std::string& text) {
  std::vector<int> out;
  std::size_t pos = 1;
  while (pos < text.size()) {
    const std::size_t comma = text.find(',', pos);
    if (comma == std::string::npos) break;
    try {
      out.push_back(std::stoi(text.substr(pos, comma - pos)));
    } catch (const std::exception&) {
      // A list this program did not write: the step is listed without it.
    }
    pos = comma + 1;
  }
  return out;
}

StepInfo stepOf(const Statement& s) {
  StepInfo info;
  info.step = s.integer(0);
  info.time = s.text(1);
  info.op = static_cast<Op>(s.integer(2));
  info.who.kind = kindNamed(s.text(3));
  info.who.round = static_cast<int>(s.integer(4));
  info.who.board = static_cast<int>(s.integer(5));
  info.who.address = s.text(6);
  info.label = s.text(7);
  info.rounds = listOf(s.text(8));
  info.rows = listOf(s.text(9));
  info.tableState = s.integer(10);
  info.playersState = s.integer(11);
  return info;
}

std::string describeError(const DbError& e) {
  return e.message + " (" + std::to_string(e.code) + ")";
}

// Moves a damaged journal and its companions out of the way; the name it now has.
std::filesystem::path setAsideFile(const std::filesystem::path& file) {
  std::string stamp = localTimeNow();
  for (char& c : stamp)
    if (c == ' ' || c == ':') c = '-';
  std::filesystem::path aside = file;
  aside += ".damaged-" + stamp;
  std::error_code ec;
  std::filesystem::rename(file, aside, ec);
  for (const char* companion : {"-wal", "-shm"}) {
    std::filesystem::path extra = file;
    extra += companion;
    std::filesystem::path extraAside = aside;
    extraAside += companion;
    std::filesystem::rename(extra, extraAside, ec);
  }
  return aside;
}

// Opens the file and makes sure of its tables and pages: 0 ok, 1 damaged, 2 other failure.
int openChecked(const std::filesystem::path& file, std::optional<Database>& db, DbError& error) {
  db = Database::open(file, error);
  if (!db) return error.damaged() ? 1 : 2;
  if (!db->exec(kSchema, error)) return error.damaged() ? 1 : 2;
  Statement check(*db, "PRAGMA quick_check");
  if (!check.ok()) {
    error = db->lastError();
    return error.damaged() ? 1 : 2;
  }
  if (!check.step() || check.text(0) != "ok") {
    error = db->lastError();
    if (error.code == 0 || !error.locked()) error = {11, "database disk image is malformed"};
    return error.locked() ? 2 : 1;
  }
  return 0;
}

}  // namespace

std::filesystem::path Journal::beside(const std::filesystem::path& tableFile) {
  std::filesystem::path file = tableFile;
  return file.replace_extension(".journal");
}

std::unique_ptr<Journal> Journal::open(const std::filesystem::path& file, std::string& why,
                                       std::filesystem::path* setAside) {
  std::optional<Database> db;
  DbError error;
  int state = openChecked(file, db, error);
  if (state == 1) {
    db.reset();
    const std::filesystem::path aside = setAsideFile(file);
    if (setAside) *setAside = aside;
    state = openChecked(file, db, error);
  }
  if (state != 0) {
    why = describeError(error);
    return nullptr;
  }
  std::unique_ptr<Journal> journal(new Journal(std::move(*db), file));
  if (!journal->load(why)) return nullptr;
  return journal;
}

bool Journal::reload(std::string& why) {
  last_ = {};
  latest_[0] = latest_[1] = {};
  return load(why);
}

bool Journal::load(std::string& why) {
  const std::optional<StepInfo> latest = last();
  if (!latest) return true;
  std::optional<std::string> table = part(latest->tableState);
  std::optional<std::string> players = part(latest->playersState);
  if (!table || !players) {
    why = describeError(db_.lastError());
    return false;
  }
  last_ = {std::move(*table), std::move(*players)};
  for (int p = 0; p < 2; ++p) {
    latest_[p].id = p == 0 ? latest->tableState : latest->playersState;
    Statement s(db_, "SELECT depth FROM states WHERE id = ?");
    s.bind(latest_[p].id);
    latest_[p].depth = s.step() ? static_cast<int>(s.integer(0)) : kMaxDepth;
  }
  return true;
}

std::optional<std::int64_t> Journal::storePart(int which, const std::string& bytes,
                                               std::string& why) {
  const std::string& previous = which == 0 ? last_.table : last_.players;
  Latest& latest = latest_[which];
  if (latest.id != 0 && previous == bytes) return latest.id;
  std::string delta;
  const bool asDelta = latest.id != 0 && latest.depth < kMaxDepth &&
                       (delta = lineDelta(previous, bytes)).size() < bytes.size() / 2;
  Statement s(db_, "INSERT INTO states(part, base, depth, data) VALUES(?, ?, ?, ?)");
  s.bind(which);
  if (asDelta)
    s.bind(latest.id).bind(latest.depth + 1).bindBlob(delta);
  else
    s.bind(std::int64_t{0}).bind(0).bindBlob(bytes);
  s.step();
  if (!s.done()) {
    why = describeError(db_.lastError());
    return std::nullopt;
  }
  return db_.lastRowId();
}

bool Journal::append(const Entry& entry, std::string& why) {
  DbError error;
  if (!db_.exec("BEGIN IMMEDIATE", error)) {
    why = describeError(error);
    return false;
  }
  const Latest kept[2] = {latest_[0], latest_[1]};
  const std::optional<std::int64_t> table = storePart(0, entry.state.table, why);
  const std::optional<std::int64_t> players =
      table ? storePart(1, entry.state.players, why) : std::nullopt;
  bool ok = table && players;
  if (ok) {
    Statement s(db_,
                "INSERT INTO steps(time, op, who_kind, who_round, who_board, who_address, label,"
                " rounds, rows, table_state, players_state) VALUES(?,?,?,?,?,?,?,?,?,?,?)");
    s.bind(localTimeNow()).bind(static_cast<int>(entry.op)).bind(kindName(entry.who.kind));
    s.bind(entry.who.round).bind(entry.who.board).bind(entry.who.address).bind(entry.label);
    s.bind(listText(entry.rounds)).bind(listText(entry.rows)).bind(*table).bind(*players);
    s.step();
    ok = s.done() && db_.exec("COMMIT", error);
    if (!ok) why = describeError(db_.lastError());
  }
  if (!ok) {
    db_.exec("ROLLBACK", error);
    latest_[0] = kept[0];
    latest_[1] = kept[1];
    return false;
  }
  for (int p = 0; p < 2; ++p) {
    const std::int64_t id = p == 0 ? *table : *players;
    if (id != latest_[p].id) {
      Statement s(db_, "SELECT depth FROM states WHERE id = ?");
      s.bind(id);
      latest_[p] = {id, s.step() ? static_cast<int>(s.integer(0)) : kMaxDepth};
    }
  }
  last_ = entry.state;
  return true;
}

std::optional<StepInfo> Journal::last() const {
  Statement s(db_, (std::string(kStepColumns) + "ORDER BY id DESC LIMIT 1").c_str());
  if (!s.step()) return std::nullopt;
  return stepOf(s);
}

std::optional<StepInfo> Journal::step(std::int64_t n) const {
  Statement s(db_, (std::string(kStepColumns) + "WHERE id = ?").c_str());
  s.bind(n);
  if (!s.step()) return std::nullopt;
  return stepOf(s);
}

std::vector<StepInfo> Journal::steps(const Filter& filter) const {
  std::string sql = std::string(kStepColumns) + "WHERE 1";
  if (filter.round >= 0) sql += " AND rounds LIKE ?";
  if (filter.row >= 0) sql += " AND rows LIKE ?";
  sql += " ORDER BY id DESC";
  if (filter.limit > 0) sql += " LIMIT " + std::to_string(filter.limit);
  Statement s(db_, sql.c_str());
  if (filter.round >= 0) s.bind("%," + std::to_string(filter.round) + ",%");
  if (filter.row >= 0) s.bind("%," + std::to_string(filter.row) + ",%");
  std::vector<StepInfo> out;
  while (s.step()) out.push_back(stepOf(s));
  return out;
}

std::vector<StepInfo> Journal::stepsFrom(std::int64_t from) const {
  Statement s(db_, (std::string(kStepColumns) + "WHERE id >= ? ORDER BY id").c_str());
  s.bind(from);
  std::vector<StepInfo> out;
  while (s.step()) out.push_back(stepOf(s));
  return out;
}

std::optional<std::string> Journal::part(std::int64_t stateId) const {
  // The chain back to the whole version, then its deltas forward.
  std::vector<std::string> deltas;
  std::int64_t id = stateId;
  for (int guard = 0; guard <= kMaxDepth + 1; ++guard) {
    Statement s(db_, "SELECT base, data FROM states WHERE id = ?");
    s.bind(id);
    if (!s.step()) return std::nullopt;
    const std::int64_t base = s.integer(0);
    if (base == 0) {
      std::string bytes = s.text(1);
      for (auto d = deltas.rbegin(); d != deltas.rend(); ++d) {
        std::optional<std::string> next = applyDelta(bytes, *d);
        if (!next) return std::nullopt;
        bytes = std::move(*next);
      }
      return bytes;
    }
    deltas.push_back(s.text(1));
    id = base;
  }
  return std::nullopt;
}

std::optional<State> Journal::stateAfter(std::int64_t n) const {
  const std::optional<StepInfo> info = step(n);
  if (!info) return std::nullopt;
  std::optional<std::string> table = part(info->tableState);
  std::optional<std::string> players = part(info->playersState);
  if (!table || !players) return std::nullopt;
  return State{std::move(*table), std::move(*players)};
}

std::string localTimeNow() {
  return text::localTimeNow("%Y-%m-%d %H:%M:%S");
}

}  // namespace toq::journal
