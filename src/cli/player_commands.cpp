// register, edit, delete: the player register of a player file, written back by the core.

#include <system_error>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "data/player_file.h"
#include "edit/edit_texts.h"
#include "edit/players.h"
#include "text/cp932.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

namespace {

// Reads the whole player file into the register and makes it the file the core writes to.
// A file that is there but cannot be read completely is refused, so that writing the register
// back cannot lose the records that were not read. `mayBeNew` lets a missing file start an
// empty register.
int loadRegister(Invocation& inv, bool mayBeNew) {
  edit::Workspace& ws = inv.workspace;
  const std::filesystem::path file = inv.pathArg(0);
  const std::string where = text::pathToUtf8(file);
  std::error_code ec;
  const bool exists = std::filesystem::exists(file, ec);
  ws.playerFile = file;
  if (!exists && mayBeNew && !ec) {
    ws.players.clear();
    return kExitOk;
  }
  data::ReadFault fault;
  const int result = data::LoadPlayerFile(ws.players, file, nullptr, &fault);
  if (result == 0) {
    warnOffendingRecords(inv, ws);
    return kExitOk;
  }
  if (fault.any()) {
    inv.ui.errorBox(data::readFaultMessage(file, fault), services::kErrorCaption);
    return kExitFailure;
  }
  const char* message = !exists ? kPlayerFileReadError : kPlayerFileDamaged;
  inv.ui.errorBox(text::format(message, where.c_str()), services::kErrorCaption);
  return kExitFailure;
}

// Applies --short, --rating, --affiliation and --pro/--no-pro to a form; false for a rating that is
// not a whole number.
bool applyOptions(const Invocation& inv, edit::PlayerForm& form) {
  if (std::optional<std::string> s = inv.value("--short")) form.shortName = *s;
  if (std::optional<std::string> a = inv.value("--affiliation")) form.affiliation = *a;
  if (std::optional<std::string> r = inv.value("--rating")) {
    std::optional<int> rating = parseInteger(*r);
    if (!rating) return false;
    form.rating = *rating;
  }
  if (inv.has("--pro")) form.professional = true;
  if (inv.has("--no-pro")) form.professional = false;
  return true;
}

std::string nameAt(const edit::Workspace& ws, int position) {
  return text::toUtf8(ws.players.at(position).name);
}

}  // namespace

int registerCommand(Invocation& inv) {
  edit::PlayerForm form = edit::newPlayerForm();
  form.name = inv.args[1];
  if (!applyOptions(inv, form)) return inv.usage();
  if (int code = loadRegister(inv, true); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelRegisterPlayer},
                                      [&] { return edit::registerPlayer(ws, inv.ui, form); });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << text::format(kPlayerRegistered, nameAt(ws, o.row).c_str(), o.other, o.row) << '\n';
  return kExitOk;
}

int editCommand(Invocation& inv) {
  const std::optional<int> position = parseInteger(inv.args[1]);
  if (!position || (inv.has("--pro") && inv.has("--no-pro"))) return inv.usage();
  edit::PlayerForm changes;
  if (!applyOptions(inv, changes)) return inv.usage();
  if (int code = loadRegister(inv, false); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  std::optional<edit::PlayerForm> form = edit::playerForm(ws, *position);
  if (!form) {
    inv.ui.errorBox(edit::texts::kPositionOutOfRange, services::kErrorCaption);
    return kExitFailure;
  }
  // Fields not given keep what the record holds.
  if (std::optional<std::string> n = inv.value("--name")) form->name = *n;
  if (!applyOptions(inv, *form)) return inv.usage();
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelEditPlayer}, [&] {
    return edit::editPlayer(ws, inv.ui, *position, *form);
  });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << text::format(kPlayerEdited, o.row, nameAt(ws, o.row).c_str()) << '\n';
  return kExitOk;
}

int deleteCommand(Invocation& inv) {
  std::vector<int> positions;
  for (std::size_t i = 1; i < inv.args.size(); ++i) {
    std::optional<int> position = parseInteger(inv.args[i]);
    if (!position) return inv.usage();
    positions.push_back(*position);
  }
  if (int code = loadRegister(inv, false); code != kExitOk) return code;
  edit::Workspace& ws = inv.workspace;
  const std::size_t before = inv.ui.problemsShown();
  const edit::Outcome o = throughDoor(inv, edit::StepRule{edit::texts::kLabelDeletePlayers},
                                      [&] { return edit::deletePlayers(ws, inv.ui, positions); });
  if (!o.done()) return editFailed(inv, before, o, {});
  inv.out << text::format(kPlayersDeleted, o.count) << '\n';
  return kExitOk;
}

}  // namespace toq::cli
