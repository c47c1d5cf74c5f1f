#pragma once
// The file commands of the menu "ファイル" that need more than one reader or writer: the
// import of a name list, the table saved under a new name with its player file, and the CSV
// chart. The file names come from choosers (the platform's file dialogs in the window).

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "edit/workspace.h"
#include "services/services.h"

namespace toq::edit {

/// Shows a save dialog that starts from the suggested name; none on cancel.
using SaveNameChooser =
    std::function<std::optional<std::filesystem::path>(const std::filesystem::path& suggested)>;

/// What a save command wrote.
struct SavedFile {
  int code = -1;               ///< 0 saved; -1 cancelled or not saved (after its message)
  std::filesystem::path path;  ///< the file written
  bool done() const { return code == 0; }
};

/// The chosen name, with "." and `ext` appended unless its extension already is `ext` (ASCII
/// letters in either case): "a.TAI" stays, "a.txt" becomes "a.txt.tai".
std::filesystem::path withExtension(const std::filesystem::path& chosen, std::string_view ext);

/// Replaces the register and the table by a name list and writes both files beside it; warns
/// "対局者が登録されていません。" when the register is empty afterwards. A list that cannot be
/// read leaves register and table as they were, with a message: 0 or -1.
int importNameList(Workspace& ws, services::Services& ui, const std::filesystem::path& list);

/// Writes the table under a chosen name (".tai" added), asking before it replaces a file, then
/// the player file beside it. The table keeps its own file: later saves go there.
SavedFile saveTableAs(Workspace& ws, services::Services& ui, const SaveNameChooser& choose);

/// Writes the CSV chart under a chosen name (".csv" added), asking before it replaces a file.
SavedFile saveCsv(const Workspace& ws, services::Services& ui, const SaveNameChooser& choose);

}  // namespace toq::edit
