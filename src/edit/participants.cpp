#include "edit/participants.h"

#include "edit/edit_texts.h"
#include "edit/guards.h"
#include "edit/late_arrival.h"
#include "edit/unsaved.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {
/// True when the chooser offers players of this class, after those of the table's own class:
/// every class but （未設定）, フリークラス and 引退・物故・退会.
bool offeredFromOtherClass(int playerClass) {
  return !data::isClass(playerClass, data::TableClass::Unset) &&
         !data::isClass(playerClass, data::TableClass::Free) &&
         !data::isClass(playerClass, data::TableClass::Retired);
}
}  // namespace

std::vector<ParticipantChoice> participantChoices(const Workspace& ws) {
  const data::Table& t = ws.table;
  std::vector<ParticipantChoice> out;
  for (const data::Player& p : ws.players.all())
    if (!t.IsParticipant(p.number) &&
        (data::isClass(p.klass, data::TableClass::Unset) || p.klass == t.tableClass))
      out.push_back({p.name, p.number});
  for (const data::Player& p : ws.players.all())
    if (!t.IsParticipant(p.number) && offeredFromOtherClass(p.klass) && p.klass != t.tableClass)
      out.push_back({p.name, p.number});
  return out;
}

Outcome addParticipant(Workspace& ws, services::Services& ui, const ParticipantChooser& choose) {
  data::Table& t = ws.table;
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  std::optional<int> choice = choose ? choose(participantChoices(ws)) : std::nullopt;
  if (!choice) return stopped(Stop::Declined);
  const data::Player* p = ws.players.FindPlayer(*choice);
  if (!p) {
    ui.errorBox(text::format(texts::kNotRegistered, *choice));
    return stopped(Stop::Refused);
  }
  if (t.IsParticipant(*choice)) {
    ui.errorBox(text::format(texts::kAlreadyParticipant, text::toUtf8(p->name).c_str()));
    return stopped(Stop::Refused);
  }
  // A player who comes after a round was paired takes part from the next round on.
  const int firstRound = roundsAlreadyPaired(t);
  if (addLateRows(t, *choice, 1, ui) != 1) return stopped(Stop::Refused);
  Outcome done;
  done.row = t.participantCount - 1;
  done.other = *choice;
  done.round = firstRound;
  return saveTable(ws, ui, done);
}

Outcome removeParticipant(Workspace& ws, services::Services& ui, int row) {
  data::Table& t = ws.table;
  if (!lockCheck(t, ui)) return stopped(Stop::Locked);
  if (!checkRow(t, row, ui)) return stopped(Stop::BadIndex);
  const std::string name = rowNameUtf8(ws, row, ui);
  const char* question =
      t.HasPairings() ? texts::kRemoveWithPairingsQuestion : texts::kRemoveQuestion;
  if (!ui.askYesNo(text::format(question, name.c_str()), services::kQuestionCaption))
    return stopped(Stop::Declined);
  t.RemoveParticipant(row);
  Outcome done;
  done.row = row;
  if (t.participantCount > 0) return saveTable(ws, ui, done);
  // The last participant gone: the emptied table is written as well, or he would come back
  // when the file is next read.
  done.changed = true;
  done.saved = writeTable(ws, ui, true) == 0;
  done.code = done.saved ? 0 : -2;
  return done;
}

Outcome setLockFlag(Workspace& ws, services::Services& ui, bool locked) {
  ws.table.lockFlag = locked ? 1 : 0;
  return saveTable(ws, ui, Outcome{});
}

}  // namespace toq::edit
