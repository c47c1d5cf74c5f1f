#pragma once
// The file commands: opening a table or a register, the import of a name list, the table saved
// to its own file or under a new name with its player file, and the CSV chart. The file names
// come from choosers (the platform's file dialogs in the window) or the command line.

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "edit/file_freshness.h"
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

/// What a document file holds, told by its extension.
enum class DocumentKind {
  Table,     ///< a table file (any extension but ".ply")
  Register,  ///< a player file (".ply" in any case)
};

/// What opening a document did.
struct OpenedDocument {
  int code = -1;  ///< 0 read; -1 not (completely) read, after its message
  DocumentKind kind = DocumentKind::Table;
  bool done() const { return code == 0; }
};

/// True when the file name's extension is `ext` (ASCII letters in either case).
bool hasExtension(const std::filesystem::path& file, std::string_view ext);

/// Opens a file named on the command line or in the recent-file list: a player file becomes
/// the register and the remembered player file ("対局者ファイル(%s)を読み込めませんでした。"
/// when it cannot be read completely; the records read stay), any other file is opened as a
/// table.
OpenedDocument openDocument(Workspace& ws, services::Services& ui,
                            const std::filesystem::path& file);

/// Writes the table to its own file (the generic save); a table without a file or without rows
/// is not written. The writer tells what it wrote or why it could not: 0 or its failure.
int saveDocument(Workspace& ws, services::Services& ui);

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
