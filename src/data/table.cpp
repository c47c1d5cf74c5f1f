#include "data/table.h"

#include <algorithm>

#include "data/file_texts.h"
#include "data/path_text.h"

namespace toq::data {

const char* const kHandicapNames[8] = {"平手",     "香落ち",   "角落ち",   "飛車落ち",
                                       "飛香落ち", "二枚落ち", "四枚落ち", "六枚落ち"};

int handicapPosition(int magnitude) {
  for (std::size_t i = 0; i < kHandicapMagnitudes.size(); ++i)
    if (kHandicapMagnitudes[i] == magnitude) return static_cast<int>(i);
  return -1;
}

namespace {
// A row that holds no game in the round: a bye, or an absence. Neither needs a result.
bool sitsOut(std::int16_t opponent) {
  return opponent == kBye || opponent == kAbsent;
}
}  // namespace

Table::Table() {
  for (int row = 0; row < kMaxRows; ++row) clearEntries(row, 0, kMaxRounds);
}

int Table::opponentRow(int row, int round) const {
  if (row < 0 || row >= kMaxRows || round < 0 || round >= kMaxRounds) return -1;
  int o = opponent[row][round];
  return (o >= 0 && o < rows()) ? o : -1;
}

void Table::clearEntries(int row, int from, int to) {
  if (row < 0 || row >= kMaxRows) return;
  from = std::clamp(from, 0, kMaxRounds);
  to = std::clamp(to, 0, kMaxRounds);
  for (int k = from; k < to; ++k) {
    opponent[row][k] = kUnpaired;
    side[row][k] = kSideUndecided;
    handicap[row][k] = 0;
    result[row][k] = kResultNone;
  }
}

void Table::setPair(int round, int a, int b) {
  opponent[a][round] = static_cast<std::int16_t>(b);
  opponent[b][round] = static_cast<std::int16_t>(a);
}

int Table::AddParticipant(int number, services::Services& ui) {
  participantCount = rows();
  if (participantCount >= kMaxParticipants) {
    ui.errorBox("最大登録人数です。");
    return -1;
  }
  participants[participantCount] = number;
  clearEntries(participantCount, 0, std::clamp(numberOfGames, 0, kMaxRounds));
  ++participantCount;
  return 0;
}

void Table::RemoveParticipant(int row) {
  if (!validRow(row)) return;
  participantCount = rows();
  for (int i = row; i + 1 < participantCount; ++i) participants[i] = participants[i + 1];
  --participantCount;
}

void Table::ResetEntries() {
  for (int row = 0; row < kMaxRows; ++row) clearEntries(row, 0, kMaxRounds);
  lockFlag = 0;
}

void Table::ClearRound(int round) {
  if (round < 0 || round >= kMaxRounds) return;
  for (int row = 0; row < rows(); ++row) clearEntries(row, round, round + 1);
}

int Table::IsParticipant(int number) const {
  for (int row = 0; row < rows(); ++row)
    if (participants[row] == number) return 1;
  return 0;
}

std::string Table::ParticipantName(int row, const Register& players, services::Services& ui) const {
  return players.IndexToName(participants[row], ui);
}

int Table::HasPairings() const {
  for (int row = 0; row < rows(); ++row)
    if (opponent[row][0] != kUnpaired) return 1;
  return 0;
}

int Table::AnyEntryState(int mode) const {
  for (int row = 0; row < rows(); ++row)
    for (int k = 0; k < rounds(); ++k) {
      int o = opponent[row][k];
      if (mode == 0 && o != kUnpaired) return 1;
      if (mode == 1 && o >= 0) return 1;
      if (mode != 0 && mode != 1 && o == kUnpaired) return 1;
    }
  return 0;
}

int Table::unpairedRows(int round) const {
  if (round < 0 || round >= kMaxRounds) return 0;
  int n = 0;
  for (int row = 0; row < rows(); ++row)
    if (opponent[row][round] == kUnpaired) ++n;
  return n;
}

int Table::UnpairedCount(int round) const {
  int n = unpairedRows(round);
  return (n % 2 == 1) ? n : 0;
}

int Table::FirstUnpairedRound() const {
  for (int k = 0; k < rounds(); ++k)
    if (unpairedRows(k) > 0) return k;
  return -1;
}

int Table::LastPairedRound() const {
  if (rows() <= 0) return -1;
  for (int k = 0; k < rounds(); ++k) {
    bool allEmpty = true;
    for (int row = 0; row < rows() && allEmpty; ++row)
      if (opponent[row][k] != kUnpaired && !sitsOut(opponent[row][k])) allEmpty = false;
    if (allEmpty) return k - 1;
  }
  return rounds() - 1;
}

int Table::FirstIncompleteRound() const {
  for (int k = 0; k < rounds(); ++k)
    for (int row = 0; row < rows(); ++row) {
      int o = opponent[row][k];
      if (sitsOut(static_cast<std::int16_t>(o))) continue;
      if (o == kUnpaired || !hasResult(result[row][k])) return k;
    }
  return -1;
}

int Table::LastCompletedRound() const {
  int k = FirstIncompleteRound();
  return k < 0 ? rounds() - 1 : k - 1;
}

int Table::ResultsCompleteBefore(int round) const {
  for (int k = 0; k < round && k < rounds(); ++k)
    for (int row = 0; row < rows(); ++row)
      if (!sitsOut(opponent[row][k]) && !hasResult(result[row][k])) return -k;
  return 1;
}

int Table::OpenGames(int round) const {
  if (round < 0 || round >= kMaxRounds) return 0;
  int n = 0;
  for (int row = 0; row < rows(); ++row)
    if (!sitsOut(opponent[row][round]) && !hasResult(result[row][round])) ++n;
  return n / 2;
}

int Table::AnyMultiEntry(const Register& players) const {
  for (int row = 0; row < rows(); ++row)
    if (const Player* p = players.FindPlayer(participants[row]); p && p->entries > 1) return 1;
  return 0;
}

int Table::AmateurMeetsProfessional(int row, int other, const Register& players) const {
  const Player* a = players.FindPlayer(participants[row]);
  const Player* b = players.FindPlayer(participants[other]);
  return (a && b && !a->professional && b->professional) ? 1 : 0;
}

int Table::AmateurMeetsWoman(int row, int other, const Register& players) const {
  const Player* a = players.FindPlayer(participants[row]);
  const Player* b = players.FindPlayer(participants[other]);
  if (!a || a->professional) return 0;
  return b ? b->womanProfessional : 0;
}

bool sameContents(const Table& a, const Table& b) {
  return a.title == b.title && a.filePath == b.filePath && a.tableClass == b.tableClass &&
         a.participantCount == b.participantCount && a.numberOfGames == b.numberOfGames &&
         a.participants == b.participants && a.opponent == b.opponent && a.side == b.side &&
         a.handicap == b.handicap && a.result == b.result && a.lockFlag == b.lockFlag;
}

int withdrawnFrom(const Table& table, int row) {
  if (!table.validRow(row) || table.rounds() == 0) return -1;
  int from = table.rounds();
  while (from > 0 && table.opponent[row][from - 1] == kAbsent) --from;
  return from < table.rounds() ? from : -1;
}

std::string eventName(const Table& table) {
  // The table file does not keep the title, and the import only puts a placeholder there:
  // the name the organiser gave the file is the event's name.
  if (!table.title.empty() && table.title != texts::kImportTitle) return table.title;
  return pathCp932(table.filePath.stem());
}

}  // namespace toq::data
