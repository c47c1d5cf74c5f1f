#include "services/lock_check.h"

namespace toq::services {

bool lockCheck(const data::Table& table, Services& ui) {
  if (table.lockFlag == 0) return true;
  ui.warningBox(kLockedMessage, kAppCaption);
  return false;
}

}  // namespace toq::services
