#include "view/commands.h"

namespace toq::view {

bool commandEnabled(Command command, const ViewState& state, const data::Table& table) {
  const bool table_ = state.tableMode;
  const bool players = !state.tableMode;
  const bool some = state.selectedLines > 0;
  const bool one = state.selectedLines == 1;
  switch (command) {
    case Command::MakeRatingData:
    case Command::PrintSettings:
    case Command::NewTable:
      return false;
    case Command::ShowLotteryConditions:
    case Command::AnalyseLottery:
      return table_ && table.tableClass >= 4 && table.tableClass != 6;
    case Command::AddParticipant:
    case Command::CancelLatestRound:
    case Command::CancelAllPairings:
    case Command::RepeatedTest:
      return table_;
    case Command::RemoveParticipant:
    case Command::SetBye:
    case Command::EnterResult:
      return table_ && some;
    case Command::SetOpponent:
    case Command::CancelPairing:
      return table_ && one;
    case Command::ExchangeByes:
      return table_ && state.selectedLines == 2 && table.AnyEntryState(1) == 0;
    case Command::RegisterPlayer:
      return players;
    case Command::EditPlayer:
    case Command::DeletePlayers:
      return players && some;
    default:
      return true;
  }
}

}  // namespace toq::view
