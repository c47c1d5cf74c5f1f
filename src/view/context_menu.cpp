#include "view/context_menu.h"

#include "view/layout.h"

namespace toq::view {

namespace {

std::vector<MenuEntry> playerMenu(const ViewState& state) {
  std::vector<MenuEntry> menu;
  if (state.selectedLines > 0) menu.push_back({Command::EditPlayer, "対局者データの編集(&E)..."});
  menu.push_back({Command::RegisterPlayer, "新規参加者登録(&N)..."});
  return menu;
}

// The entries for the clicked cell of row k: a bye can be cancelled; a game (or an absence)
// can take a handicap, a result, or be cancelled; an unpaired cell offers nothing more.
void addCellEntries(std::vector<MenuEntry>& menu, const data::Table& table, int k, int column) {
  const int round = roundOfColumn(column);
  if (!table.validRound(round)) return;
  const int e = table.opponent[k][round];
  if (e == data::kUnpaired) return;
  if (e != data::kBye) {
    menu.push_back({Command::HandicapAndResult, "手合割・先後・勝敗の入力・変更(&H)..."});
    menu.push_back({Command::EnterResult, "勝敗の入力・変更(&W)..."});
  }
  menu.push_back({Command::CancelPairing, "組み合わせの取り消し(&C)"});
}

}  // namespace

std::vector<MenuEntry> contextMenu(const ViewState& state, int selectedLine, int clickedColumn,
                                   const data::Table& table) {
  if (!state.tableMode) return playerMenu(state);
  std::vector<MenuEntry> menu;
  const int k = selectedLine < 0 ? 0 : rowOfLine(selectedLine);
  const bool participant = k < table.rows();
  if (participant) {
    menu.push_back({Command::SetOpponent, "対戦相手の入力(&O)..."});
    menu.push_back({Command::SetBye, "抜け番とする(&N)"});
    addCellEntries(menu, table, k, clickedColumn);
  }
  menu.push_back({});
  menu.push_back({Command::AddParticipant, "対局者を対戦表に追加(&A)..."});
  if (participant) {
    menu.push_back({Command::EditRowPlayer, "対局者データの編集(&E)..."});
    menu.push_back({Command::RemoveParticipant, "対局者を対戦表から削除(&D)..."});
  }
  return menu;
}

}  // namespace toq::view
