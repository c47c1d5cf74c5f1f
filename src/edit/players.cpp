#include "edit/players.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "data/stored_text.h"
#include "edit/edit_texts.h"
#include "edit/short_name_proposal.h"
#include "edit/unsaved.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {

constexpr const char* kDeleteParticipant =
    "対局者(%s)は対戦表の参加者なので削除できません。先に対戦表から削除してください。";

// A typed name in CP932, or none after telling the user why it cannot be stored.
std::optional<std::string> acceptName(std::string_view utf8, const char* field,
                                      services::Services& ui) {
  std::string message;
  std::optional<std::string> cp932 = data::storedText(utf8, field, message);
  if (!cp932) ui.errorBox(message);
  return cp932;
}

// Checks both names of a form; fills `player` on success. `skipPosition` is the edited record.
bool acceptForm(const Workspace& ws, services::Services& ui, const PlayerForm& form,
                int skipPosition, data::Player& player) {
  std::optional<std::string> name = acceptName(form.name, texts::kNameField, ui);
  if (!name) return false;
  if (data::SqueezeName(*name).empty()) {
    ui.errorBox(texts::kEmptyName);
    return false;
  }
  std::optional<std::string> shortName = acceptName(form.shortName, texts::kShortNameField, ui);
  if (!shortName) return false;
  std::optional<std::string> affiliation =
      acceptName(form.affiliation, texts::kAffiliationField, ui);
  if (!affiliation) return false;
  if (const std::string range = data::ratingRangeMessage(form.rating); !range.empty()) {
    ui.errorBox(range);
    return false;
  }
  if (ws.players.SameNameExists(*name, skipPosition)) {
    ui.errorBox(texts::kSameName);
    return false;
  }
  player.name = std::move(*name);
  player.shortName = std::move(*shortName);
  player.affiliation = std::move(*affiliation);
  player.rating = form.rating;
  player.professional = form.professional ? 1 : 0;
  // Derived from the name, as every file reader derives it, so that the flag does not change
  // when the register is next read back.
  player.womanProfessional = 0;
  data::MarkWomanProfessional(player);
  return true;
}

// Writes the register at once: a registration must not wait for the end of the program.
void savePlayers(Workspace& ws, services::Services& ui, Outcome& done) {
  done.changed = true;
  done.stop = Stop::None;
  const int written = writePlayers(ws, ui);
  done.saved = written == 0;
  // No player file named yet: the change stays in memory, unsaved, until one is.
  done.code = written == -2 ? -2 : 0;
}

bool checkPosition(const Workspace& ws, int position, services::Services& ui) {
  if (position >= 1 && position <= ws.players.count()) return true;
  ui.errorBox(texts::kPositionOutOfRange);
  return false;
}

}  // namespace

PlayerForm newPlayerForm() {
  PlayerForm form;
  form.rating = data::kDefaultRating;
  return form;
}

std::optional<PlayerForm> playerForm(const Workspace& ws, int position) {
  if (position < 1 || position > ws.players.count()) return std::nullopt;
  const data::Player& p = ws.players.at(position);
  // A control character that an old file holds is shown as "\x1B", so that the form shows it
  // and storing the form mends the record.
  return PlayerForm{data::escapedUtf8(p.name), data::escapedUtf8(p.shortName), p.rating,
                    p.professional != 0, data::escapedUtf8(p.affiliation)};
}

int playerPositionOfRow(const Workspace& ws, int row) {
  if (row < 0 || row >= ws.table.participantCount || row >= data::kMaxRows) return 0;
  return ws.players.positionOf(ws.table.participants[row]);
}

Outcome registerPlayer(Workspace& ws, services::Services& ui, const PlayerForm& form) {
  data::Player player;
  if (!acceptForm(ws, ui, form, 0, player)) return stopped(Stop::Refused);
  if (ws.players.AddPlayer(player) != 0) {
    ui.errorBox(text::format(texts::kRegisterFull, data::kMaxPlayers));
    return stopped(Stop::Refused);
  }
  Outcome done;
  done.row = ws.players.count();
  done.other = ws.players.at(done.row).number;
  const int number = done.other;
  proposeShortNames(ws, ui, std::span(&number, 1));
  savePlayers(ws, ui, done);
  return done;
}

Outcome editPlayer(Workspace& ws, services::Services& ui, int position, const PlayerForm& form) {
  if (!checkPosition(ws, position, ui)) return stopped(Stop::BadIndex);
  // The number, the boards and the fields no dialog shows stay as they are.
  data::Player player = ws.players.at(position);
  if (!acceptForm(ws, ui, form, position, player)) return stopped(Stop::Refused);
  ws.players.at(position) = std::move(player);
  Outcome done;
  done.row = position;
  done.other = ws.players.at(position).number;
  savePlayers(ws, ui, done);
  return done;
}

DeleteChooser askEachDeletion(services::Services& ui) {
  return [&ui](const DeleteQuestion& q) -> std::optional<int> {
    int agreed = 0;
    for (const std::string& name : q.names) {
      if (!ui.askYesNo(text::format(texts::kDeleteQuestion, name.c_str()), texts::kDeleteCaption))
        break;
      ++agreed;
    }
    return agreed;
  };
}

Outcome deletePlayers(Workspace& ws, services::Services& ui, std::vector<int> positions,
                      const DeleteChooser& choose) {
  for (int position : positions)
    if (!checkPosition(ws, position, ui)) return stopped(Stop::BadIndex);
  if (positions.empty()) return stopped(Stop::NothingToDo);
  std::sort(positions.begin(), positions.end(), std::greater<>());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  // A player who holds a row of the table stays: the row would point at no one.
  DeleteQuestion question;
  for (int position : positions) {
    const data::Player& p = ws.players.at(position);
    question.names.push_back(text::toUtf8(p.name));
    if (ws.table.IsParticipant(p.number) == 0) continue;
    ui.errorBox(text::format(kDeleteParticipant, question.names.back().c_str()));
    return stopped(Stop::Refused);
  }

  const int agreed =
      std::clamp(choose(question).value_or(0), 0, static_cast<int>(positions.size()));
  if (agreed == 0) return stopped(Stop::Declined);
  // From the bottom up, so that the positions still to be deleted stay valid.
  Outcome done;
  for (int i = 0; i < agreed; ++i) ws.players.RemovePlayer(positions[static_cast<std::size_t>(i)]);
  done.count = agreed;
  savePlayers(ws, ui, done);
  return done;
}

Outcome deletePlayers(Workspace& ws, services::Services& ui, std::vector<int> positions) {
  return deletePlayers(ws, ui, std::move(positions), askEachDeletion(ui));
}

}  // namespace toq::edit
