#pragma once
// A result key on a game that already has a result: the organiser is asked before the result
// is changed, so that a stray digit on the wrong line does not silently overwrite it.

#include <cstdint>

#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// True when the key's result may be entered for (row, round): the game has no result yet,
/// the key enters the result it already has, or the question
/// "%d回戦 %s–%s の結果（%sの%s）を%sに変更しますか？" is answered Yes. Cells without a game
/// are left to the entry's own checks (true).
bool confirmResultChange(const Workspace& ws, services::Services& ui, int row, int round,
                         std::int16_t result);

}  // namespace toq::edit
