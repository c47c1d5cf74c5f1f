#include "pairing/same_affiliation.h"

#include "pairing/compat.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::pairing {
namespace {

constexpr const char* kSameAffiliationLine = "所属が同じ対局: 第%d局 %s–%s（%s）";

/// The affiliation key of a row's player; empty when it has none.
std::string affiliationOf(const data::Table& table, const data::Register& players, int row) {
  const data::Player* p = playerOf(table, players, row);
  return p ? data::affiliationKey(p->affiliation) : std::string();
}

/// The short name, or the name's first word when it is empty (UTF-8).
std::string shortNameOf(const data::Table& table, const data::Register& players, int row) {
  const data::Player* p = playerOf(table, players, row);
  if (!p) return {};
  return text::toUtf8(p->shortName.empty() ? std::string(text::firstWord(p->name)) : p->shortName);
}

}  // namespace

std::vector<SameAffiliationBoard> sameAffiliationBoards(const data::Table& table,
                                                        const data::Register& players, int round) {
  std::vector<SameAffiliationBoard> boards;
  if (round < 0 || round >= data::kMaxRounds) return boards;
  int board = 0;
  for (int row = 0; row < table.rows(); ++row) {
    const int o = table.opponentRow(row, round);
    if (o <= row || o >= table.rows() || table.opponentRow(o, round) != row) continue;
    ++board;
    std::string key = affiliationOf(table, players, row);
    if (key.empty() || key != affiliationOf(table, players, o)) continue;
    boards.push_back({board, {row, o}, std::move(key)});
  }
  return boards;
}

std::string sameAffiliationNote(const data::Table& table, const data::Register& players,
                                int round) {
  std::string note;
  for (const SameAffiliationBoard& b : sameAffiliationBoards(table, players, round)) {
    if (!note.empty()) note += '\n';
    note += text::format(
        kSameAffiliationLine, b.board, shortNameOf(table, players, b.rows[0]).c_str(),
        shortNameOf(table, players, b.rows[1]).c_str(), text::toUtf8(b.affiliation).c_str());
  }
  return note;
}

}  // namespace toq::pairing
