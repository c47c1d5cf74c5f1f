#include "edit/guards.h"

#include <algorithm>

#include "edit/edit_texts.h"
#include "edit/unsaved.h"
#include "text/cp932.h"

namespace toq::edit {

bool lockCheck(const data::Table& table, services::Services& ui) {
  if (table.lockFlag == 0) return true;
  ui.warningBox(kLockedMessage, services::kAppCaption);
  return false;
}

int usedRows(const data::Table& table) {
  return std::clamp(table.participantCount, 0, data::kMaxRows);
}

int usedRounds(const data::Table& table) {
  return std::clamp(table.numberOfGames, 0, data::kMaxRounds);
}

bool checkRow(const data::Table& table, int row, services::Services& ui) {
  if (row >= 0 && row < usedRows(table)) return true;
  ui.errorBox(texts::kRowOutOfRange);
  return false;
}

bool checkRound(const data::Table& table, int round, services::Services& ui) {
  if (round >= 0 && round < usedRounds(table)) return true;
  ui.errorBox(texts::kRoundOutOfRange);
  return false;
}

int firstFreeRound(const data::Table& table, int row) {
  if (row < 0 || row >= data::kMaxRows) return -1;
  for (int k = 0; k < usedRounds(table); ++k)
    if (table.opponent[row][k] == data::kUnpaired) return k;
  return -1;
}

std::string rowName(const Workspace& ws, int row, services::Services& ui) {
  if (row < 0 || row >= data::kMaxRows) return {};
  return ws.players.IndexToName(ws.table.participants[row], ui);
}

std::string rowNameUtf8(const Workspace& ws, int row, services::Services& ui) {
  return text::toUtf8(rowName(ws, row, ui));
}

Outcome saveTable(Workspace& ws, services::Services& ui, Outcome done) {
  done.changed = true;
  if (writeTable(ws, ui) == 0) {
    done.code = 0;
    done.saved = true;
  } else {
    done.code = -2;
    done.saved = false;
  }
  done.stop = Stop::None;
  return done;
}

Outcome unsaved(Outcome done) {
  done.code = 0;
  done.changed = true;
  done.saved = false;
  done.stop = Stop::None;
  return done;
}

}  // namespace toq::edit
