#include "edit/add_participants.h"

#include <algorithm>

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "edit/late_arrival.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {

constexpr const char* kRegisterFirst =
    "対局者が登録されていません。先に「対局者データ」→「参加者の新規登録」で対局者を登録してくださ"
    "い。";
constexpr const char* kEveryoneTakesPart =
    "登録されている対局者は全員が対戦表に入っています。新しい参加者は「対局者データ」→"
    "「参加者の新規登録」で登録してください。";

// Where a player stands in the register; players the register does not hold go last.
std::size_t registerPosition(const data::Register& players, int number) {
  const auto& all = players.all();
  const auto it = std::find_if(all.begin(), all.end(),
                               [number](const data::Player& p) { return p.number == number; });
  return static_cast<std::size_t>(it - all.begin());
}

}  // namespace

Outcome addParticipants(Workspace& ws, services::Services& ui, const ParticipantsChooser& choose) {
  data::Table& t = ws.table;
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  if (ws.players.empty()) {
    ui.informationBox(kRegisterFirst);
    return stopped(Stop::NothingToDo);
  }
  const std::vector<ParticipantChoice> choices = participantChoices(ws);
  if (choices.empty()) {
    ui.informationBox(kEveryoneTakesPart);
    return stopped(Stop::NothingToDo);
  }
  std::vector<int> chosen = choose ? choose(choices) : std::vector<int>{};
  if (chosen.empty()) return stopped(Stop::Declined);
  std::stable_sort(chosen.begin(), chosen.end(), [&](int a, int b) {
    return registerPosition(ws.players, a) < registerPosition(ws.players, b);
  });
  chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
  // Every choice is checked before the first row is added, so that a refusal changes nothing.
  for (int number : chosen) {
    const data::Player* p = ws.players.FindPlayer(number);
    if (!p) {
      ui.errorBox(text::format(texts::kNotRegistered, number));
      return stopped(Stop::Refused);
    }
    if (t.IsParticipant(number)) {
      ui.errorBox(text::format(texts::kAlreadyParticipant, text::toUtf8(p->name).c_str()));
      return stopped(Stop::Refused);
    }
  }
  Outcome done;
  done.row = t.participantCount;
  done.round = roundsAlreadyPaired(t);  // late arrivals take part from this round on
  for (int number : chosen) {
    if (addLateRows(t, number, 1, ui) != 1) break;  // the table is full: the rest stays out
    ++done.count;
  }
  if (done.count == 0) return stopped(Stop::Refused);
  return saveTable(ws, ui, done);
}

}  // namespace toq::edit
