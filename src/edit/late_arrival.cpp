#include "edit/late_arrival.h"

namespace toq::edit {

int roundsAlreadyPaired(const data::Table& t) {
  int paired = 0;
  for (int k = 0; k < t.rounds(); ++k) {
    bool any = false;
    for (int row = 0; row < t.rows() && !any; ++row) any = t.opponent[row][k] >= 0;
    if (!any) break;
    paired = k + 1;
  }
  return paired;
}

int addLateRows(data::Table& t, int number, int rows, services::Services& ui) {
  const int paired = roundsAlreadyPaired(t);
  int added = 0;
  for (; added < rows; ++added) {
    if (t.AddParticipant(number, ui) != 0) break;
    const int row = t.participantCount - 1;
    for (int k = 0; k < paired; ++k) t.opponent[row][k] = data::kAbsent;
  }
  return added;
}

}  // namespace toq::edit
