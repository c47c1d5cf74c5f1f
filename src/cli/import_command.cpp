#include <iostream>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/messages.h"
#include "data/name_list.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::cli {

namespace {

// The import writes its notes on the list ("名前がない", "読み込みエラー(...)") to the
// standard output. On the command line that stream carries data, so the notes are sent
// where every other message goes while the import runs.
class CoutToMessages {
 public:
  explicit CoutToMessages(std::ostream& messages) : saved_(std::cout.rdbuf(messages.rdbuf())) {}
  ~CoutToMessages() { std::cout.rdbuf(saved_); }
  CoutToMessages(const CoutToMessages&) = delete;
  CoutToMessages& operator=(const CoutToMessages&) = delete;

 private:
  std::streambuf* saved_;
};

}  // namespace

int importCommand(Invocation& inv) {
  edit::Workspace& ws = inv.workspace;
  const std::filesystem::path list = inv.pathArg(0);
  const std::size_t before = inv.ui.problemsShown();
  int result = 0;
  {
    CoutToMessages notes(inv.ui.messageStream());
    result = data::ImportNameList(ws.players, ws.table, list, ws.playerFile, inv.ui);
  }
  // An unreadable list has been reported by the import itself.
  if (result != 0) return kExitFailure;
  // The import goes on past a full table or a file it could not write, after saying so;
  // the command then ends as failed, since the files do not hold the whole list.
  const bool complete = inv.ui.problemsShown() == before;
  if (ws.players.empty()) inv.ui.warningBox(kNoPlayers, services::kAppCaption);

  inv.out << text::format(kImportSummary, ws.players.count(), ws.table.participantCount,
                          ws.table.numberOfGames);
  inv.out << text::pathToUtf8(ws.playerFile) << '\n';
  inv.out << text::pathToUtf8(ws.table.filePath) << '\n';
  return complete ? kExitOk : kExitFailure;
}

}  // namespace toq::cli
