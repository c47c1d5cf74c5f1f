#include "edit/entry_import.h"

#include <algorithm>
#include <unordered_map>

#include "data/register.h"
#include "edit/guards.h"
#include "edit/late_arrival.h"
#include "edit/short_name_proposal.h"
#include "edit/unsaved.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {

constexpr const char* kRegisterFullLine = "%d行目: 対局者の登録が上限（%d人）に達しています";
constexpr const char* kMerged = "%d行目（%s）は %d行目と同じ人としてまとめました";
constexpr const char* kReplaced = "%s %s → %s";
constexpr const char* kSummary = "新規 %d人・更新 %d人・まとめた行 %d・取り込まない行 %d";
constexpr std::string_view kMergedTitle = "同じ名前の行をまとめました：";
constexpr std::string_view kNone = "（なし）";
constexpr std::string_view kYes = "○";

// The value of each field a row can set, as the preview shows it (UTF-8).
struct ShownField {
  const char* label;
  std::string (*value)(const data::Player&);
};
std::string orNone(const std::string& cp932) {
  return cp932.empty() ? std::string(kNone) : text::toUtf8(cp932);
}
const ShownField kShownFields[] = {
    {"省略名", [](const data::Player& p) { return orNone(p.shortName); }},
    {"レーティング", [](const data::Player& p) { return std::to_string(p.rating); }},
    {"同時対局数", [](const data::Player& p) { return std::to_string(p.entries); }},
    {"プロ",
     [](const data::Player& p) { return p.professional ? std::string(kYes) : std::string(kNone); }},
    {"所属", [](const data::Player& p) { return orNone(p.affiliation); }},
};

// The row's fields over a record; fields the sheet left out stay as they are.
void applyRow(const data::EntryRow& row, data::Player& p) {
  if (row.shortName) p.shortName = *row.shortName;
  if (row.rating) p.rating = *row.rating;
  if (row.boards) p.entries = *row.boards;
  // A player on several boards at once is a professional, as the name list has it, unless
  // the sheet says otherwise.
  if (row.boards && *row.boards > 1) p.professional = 1;
  if (row.professional) p.professional = *row.professional;
  if (row.affiliation) p.affiliation = *row.affiliation;
  if (row.reading) p.reading = *row.reading;
}

data::Player newRecord(const data::EntryRow& row) {
  data::Player p;
  p.name = row.name;
  p.rating = data::kDefaultRating;
  applyRow(row, p);
  data::MarkWomanProfessional(p);
  return p;
}

// The duplicates and what they replaced, once more after the import.
void tellMerged(const EntryPlan& plan, services::Services& ui) {
  if (plan.merged.empty()) return;
  std::string text(kMergedTitle);
  for (const MergedLine& m : plan.merged) text += "\n" + mergedText(m);
  ui.informationBox(text);
}

}  // namespace

EntryPlan planEntries(const Workspace& ws, const data::EntrySheet& sheet) {
  EntryPlan plan;
  plan.refused = sheet.refused;
  std::unordered_map<std::string, int> registered;  // squeezed name -> position
  for (int pos = ws.players.count(); pos >= 1; --pos)
    registered[data::SqueezeName(ws.players.at(pos).name)] = pos;
  std::unordered_map<std::string, std::size_t> planned;  // squeezed name -> entry
  for (const data::EntryRow& row : sheet.rows) {
    const std::string key = data::SqueezeName(row.name);
    if (auto it = planned.find(key); it != planned.end()) {
      PlannedEntry& earlier = plan.entries[it->second];
      MergedLine m{row.line, earlier.line, row.name, {}};
      const data::Player before = earlier.player;
      applyRow(row, earlier.player);
      for (const ShownField& f : kShownFields)
        if (f.value(before) != f.value(earlier.player))
          m.replaced.push_back(text::format(kReplaced, f.label, f.value(before).c_str(),
                                            f.value(earlier.player).c_str()));
      plan.merged.push_back(std::move(m));
      continue;
    }
    PlannedEntry e;
    e.line = row.line;
    if (auto it = registered.find(key); it != registered.end()) {
      e.position = it->second;
      e.player = ws.players.at(e.position);
      applyRow(row, e.player);
      ++plan.updated;
    } else if (ws.players.count() + plan.added >= data::kMaxPlayers) {
      plan.refused.push_back(
          {row.line, text::format(kRegisterFullLine, row.line, data::kMaxPlayers)});
      continue;
    } else {
      e.player = newRecord(row);
      ++plan.added;
      // Neither a rating nor a grade: the register's default, which the summary counts.
      if (!row.rating) ++plan.defaultRatings;
    }
    planned[key] = plan.entries.size();
    plan.entries.push_back(std::move(e));
  }
  return plan;
}

std::string mergedText(const MergedLine& merged) {
  std::string out =
      text::format(kMerged, merged.line, text::toUtf8(merged.name).c_str(), merged.into);
  for (std::size_t i = 0; i < merged.replaced.size(); ++i)
    out += (i == 0 ? "：" : "、") + merged.replaced[i];
  return out;
}

std::string planSummary(const EntryPlan& plan) {
  return text::format(kSummary, plan.added, plan.updated, static_cast<int>(plan.merged.size()),
                      static_cast<int>(plan.refused.size()));
}

Outcome importEntries(Workspace& ws, services::Services& ui, const EntryPlan& plan,
                      bool participants, EntryImportCounts* counts) {
  if (participants && !lockCheck(ws.table, ui)) return stopped(Stop::Locked);
  if (plan.entries.empty()) return stopped(Stop::NothingToDo);
  EntryImportCounts c;
  std::vector<int> numbers;
  for (const PlannedEntry& e : plan.entries) {
    if (e.position > 0 && e.position <= ws.players.count()) {
      ws.players.at(e.position) = e.player;
      ++c.updated;
    } else if (ws.players.AddPlayer(e.player) == 0) {
      ++c.added;
    } else {
      continue;  // planned against another register: the register filled up meanwhile
    }
    numbers.push_back(e.position > 0 ? e.player.number : ws.players.at(ws.players.count()).number);
  }
  proposeShortNames(ws, ui, numbers);
  const int firstRound = roundsAlreadyPaired(ws.table);
  for (std::size_t i = 0; participants && i < numbers.size(); ++i) {
    if (ws.table.IsParticipant(numbers[i])) continue;
    const int boards = std::max(1, ws.players.FindPlayer(numbers[i])->entries);
    const int added = addLateRows(ws.table, numbers[i], boards, ui);
    c.rows += added;
    if (added < boards) break;  // the table is full; its message has been shown
  }
  if (counts) *counts = c;
  Outcome done;
  done.changed = true;
  done.count = c.added + c.updated;
  done.round = firstRound;
  const int players = writePlayers(ws, ui);
  const int table = c.rows > 0 ? writeTable(ws, ui) : 0;
  tellMerged(plan, ui);
  done.saved = players == 0 && table == 0;
  done.code = players == -2 || (table != 0 && table != -3) ? -2 : 0;
  return done;
}

}  // namespace toq::edit
