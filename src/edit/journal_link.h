#pragma once
// The workspace's hold on its event's journal (edit/event_journal.h keeps it).

#include <filesystem>
#include <memory>
#include <string>

#include "journal/journal.h"

namespace toq::edit {

/// The journal of the workspace's table, while it can be used.
struct JournalLink {
  std::unique_ptr<journal::Journal> journal;  ///< null: none (no table file, or unusable)
  std::filesystem::path tableFile;            ///< the table the journal was opened for
  std::string problem;                        ///< the latest problem told, told once
  bool withHistory = true;  ///< opening gives back the undo history (toq-cli needs none)
};

}  // namespace toq::edit
