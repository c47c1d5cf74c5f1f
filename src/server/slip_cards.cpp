#include "server/slip_cards.h"

#include "data/table.h"
#include "server/answers.h"
#include "server/desk_codes.h"
#include "server/server.h"
#include "text/cp932.h"

namespace toq::server {

namespace {

// 先手/後手 for an even game; for a handicap game who gives (上手) and who receives (下手).
std::string partOf(const data::Table& t, int row, int round, const api::Board& board) {
  const int h = t.handicap[row][round];
  const std::string name = board.handicap ? text::toCp932(*board.handicap).value_or("") : "";
  if (h > 0) return text::sj("上手 ") + name;
  if (h < 0) return text::sj("下手 ") + name;
  const int side = t.side[row][round];
  if (side == data::kSideFirst) return text::sj("先手");
  if (side == data::kSideSecond) return text::sj("後手");
  return {};
}

}  // namespace

std::vector<reports::print::SlipCard> slipCards(const edit::Workspace& ws, std::string_view secret,
                                                std::optional<int> round,
                                                std::string_view address) {
  std::vector<reports::print::SlipCard> cards;
  const std::string event = text::toCp932(eventTitle(ws.table)).value_or("");
  for (const Slip& slip : slipsOf(ws, secret, round)) {
    reports::print::SlipCard card;
    card.event = event;
    card.round = slip.round;
    card.board = slip.board.board;
    for (std::size_t i = 0; i < 2 && i < slip.board.players.size(); ++i) {
      const api::BoardPlayer& p = slip.board.players[i];
      if (const data::Player* player = ws.players.FindPlayer(p.player)) {
        card.players[i].name = player->name;
        card.players[i].rating = player->rating;
      }
      card.players[i].part = partOf(ws.table, p.row - 1, slip.round - 1, slip.board);
    }
    card.code = slip.code;
    card.address = std::string(address) + "/desk#" + slip.code;
    cards.push_back(std::move(card));
  }
  return cards;
}

std::string lanAddress() {
  const std::vector<std::string> mine = machineAddresses();
  return baseUrl(mine.empty() ? "127.0.0.1" : mine.front(), kDefaultPort);
}

}  // namespace toq::server
