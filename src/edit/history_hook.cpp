#include "edit/history_hook.h"

namespace toq::edit {

void clearHistory(Workspace& ws) {
  ws.history.clear();
}

}  // namespace toq::edit
