#include "server/changes.h"

#include "edit/file_freshness.h"
#include "edit/history.h"

namespace toq::server {

edit::Outcome applyChange(edit::Workspace& ws, services::Services& ui, std::string_view label,
                          const ChangeCommand& change) {
  edit::rereadChangedFiles(ws, ui);
  return edit::recorded(ws, std::string(label), [&] { return change(ws); });
}

}  // namespace toq::server
