// The file commands behind the window's menu "ファイル": the extension rule of the save
// dialogs, opening a table or a register, the generic save, saving the table and the CSV chart
// under a chosen name with the overwrite question, and the import of a name list.
#include <gtest/gtest.h>

#include <fstream>

#include "data/csv_file.h"
#include "data/player_file.h"
#include "edit/edit_fixture.h"
#include "edit/file_commands.h"
#include "text/cp932.h"

namespace toq {
namespace {

namespace fs = std::filesystem;

class FileCommands : public testing::EditTest {
 protected:
  fs::path at(const std::string& name) const { return fs::path(dir_) / name; }
  // A chooser that answers the given names in turn and records what it was offered.
  edit::SaveNameChooser answers(std::vector<std::optional<fs::path>> names) {
    return [this, names, i = std::size_t{0}](const fs::path& suggested) mutable {
      offered_.push_back(suggested);
      return i < names.size() ? names[i++] : std::nullopt;
    };
  }
  std::vector<fs::path> offered_;
};

TEST(WithExtension, AppendsUnlessTheExtensionIsAlreadyThere) {
  struct Case {
    const char* chosen;
    const char* expected;
  };
  const Case cases[] = {
      {"dir/event", "dir/event.tai"},           {"dir/event.tai", "dir/event.tai"},
      {"dir/event.TAI", "dir/event.TAI"},       {"dir/event.Tai", "dir/event.Tai"},
      {"dir/event.txt", "dir/event.txt.tai"},   {"dir.tai/event", "dir.tai/event.tai"},
      {"dir/event.taix", "dir/event.taix.tai"}, {"dir/大会", "dir/大会.tai"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(edit::withExtension(fs::path(c.chosen), "tai"), fs::path(c.expected)) << c.chosen;
  EXPECT_EQ(edit::withExtension("x.CSV", "csv"), fs::path("x.CSV"));
  EXPECT_EQ(edit::withExtension("x.tai", "csv"), fs::path("x.tai.csv"));
  for (const char* ply : {"a.ply", "dir/a.PLY", "b.Ply", ".ply"})
    EXPECT_TRUE(edit::hasExtension(ply, "ply")) << ply;
  for (const char* other : {"a.ply.tai", "dir.ply/a", "ply", "a.plyx", "a."})
    EXPECT_FALSE(edit::hasExtension(other, "ply")) << other;
}

TEST_F(FileCommands, ADocumentOpensAsATableOrARegisterByItsExtension) {
  add("A");
  add("B");
  play(0, 0, 1, data::kWin);
  ASSERT_EQ(data::WriteTableFile(ws_->table, {}, ui_), 0);
  ASSERT_EQ(data::WritePlayerFile(ws_->players, ws_->playerFile), 0);
  ASSERT_EQ(data::WritePlayerFile(ws_->players, at("names.PLY")), 0);

  // A table brings the player file of its base name.
  edit::Workspace table;
  auto opened = edit::openDocument(table, ui_, tablePath());
  EXPECT_TRUE(opened.done());
  EXPECT_EQ(opened.kind, edit::DocumentKind::Table);
  EXPECT_TRUE(testing::sameEntries(table.table, ws_->table));
  EXPECT_EQ(table.table.filePath, tablePath());
  EXPECT_EQ(table.players.count(), 2);
  EXPECT_EQ(table.playerFile, ws_->playerFile);

  // A register replaces the register only and becomes the remembered player file.
  edit::Workspace players;
  players.table.SetTableFile(tablePath());
  opened = edit::openDocument(players, ui_, at("names.PLY"));
  EXPECT_TRUE(opened.done());
  EXPECT_EQ(opened.kind, edit::DocumentKind::Register);
  EXPECT_EQ(players.players.count(), 2);
  EXPECT_EQ(players.playerFile, at("names.PLY"));
  EXPECT_EQ(players.table.participantCount, 0);
  EXPECT_TRUE(ui_.errors().empty());

  // Files that cannot be read say so, each by its reader.
  opened = edit::openDocument(players, ui_, at("gone.ply"));
  EXPECT_EQ(opened.kind, edit::DocumentKind::Register);
  EXPECT_FALSE(opened.done());
  EXPECT_EQ(players.playerFile, at("gone.ply"));
  EXPECT_EQ(ui_.errors(), std::vector<std::string>{"対局者ファイル(" + at("gone.ply").string() +
                                                   ")を読み込めませんでした。"});
  ui_.clear();
  opened = edit::openDocument(players, ui_, at("gone.tai"));
  EXPECT_EQ(opened.kind, edit::DocumentKind::Table);
  EXPECT_FALSE(opened.done());
  EXPECT_EQ(ui_.errors().size(), 1u);
}

TEST_F(FileCommands, TheGenericSaveWritesTheTableToItsFileOnce) {
  // A table without rows is never written over its file.
  EXPECT_EQ(edit::saveDocument(*ws_, ui_), 0);
  EXPECT_FALSE(tableWritten());
  add("A");
  add("B");
  play(0, 0, 1, data::kWin);
  ASSERT_EQ(edit::saveDocument(*ws_, ui_), 0);
  auto disk = onDisk();
  ASSERT_TRUE(disk);
  EXPECT_TRUE(testing::sameEntries(*disk, ws_->table));
  // The writer's notice alone.
  EXPECT_EQ(ui_.statuses(),
            std::vector<std::string>{tablePath().string() + " を保存しました。2人"});
}

TEST_F(FileCommands, SaveAsWritesTableAndPlayerFileAndKeepsTheTablesOwnFile) {
  add("A");
  add("B");
  play(0, 0, 1, data::kWin);
  auto saved = edit::saveTableAs(*ws_, ui_, answers({at("copy.TXT")}));
  ASSERT_TRUE(saved.done());
  EXPECT_EQ(offered_, std::vector<fs::path>{tablePath()});
  EXPECT_EQ(saved.path, at("copy.TXT.tai"));
  EXPECT_EQ(ui_.statuses().back(), "対戦表(" + at("copy.TXT.tai").string() + ")を保存しました。");
  data::Register players;
  data::Table table;
  fs::path playerFile;
  ASSERT_EQ(data::OpenTableFile(players, table, saved.path, playerFile, ui_), 0);
  EXPECT_EQ(playerFile, at("copy.TXT.ply"));
  EXPECT_EQ(players.count(), 2);
  EXPECT_TRUE(testing::sameEntries(table, ws_->table));
  EXPECT_EQ(ws_->table.filePath, tablePath());
  EXPECT_FALSE(tableWritten());
}

TEST_F(FileCommands, AnExistingFileIsReplacedOnlyAfterYes) {
  add("A");
  { std::ofstream(at("old.tai")) << "old"; }
  // No: the dialog comes back with the chosen name; キャンセル then saves nothing.
  ui_.answers = {false};
  auto saved = edit::saveTableAs(*ws_, ui_, answers({at("old")}));
  EXPECT_FALSE(saved.done());
  EXPECT_EQ(offered_, (std::vector<fs::path>{tablePath(), at("old")}));
  EXPECT_EQ(ui_.questions(), std::vector<std::string>{"同名のファイル(" + at("old.tai").string() +
                                                      ")があります。書き換えますか？"});
  EXPECT_EQ(ui_.messages.front().caption, "対戦表保存");
  EXPECT_EQ(testing::readFile(at("old.tai")), "old");

  ui_.clear();
  ui_.answers = {true};
  ASSERT_TRUE(edit::saveTableAs(*ws_, ui_, answers({at("old.tai")})).done());
  EXPECT_NE(testing::readFile(at("old.tai")), "old");
}

TEST_F(FileCommands, FailedSavesSaySoWithAnEmptyCaption) {
  add("A");
  const fs::path bad = at("missing") / "t.tai";
  auto saved = edit::saveTableAs(*ws_, ui_, answers({bad}));
  EXPECT_FALSE(saved.done());
  const auto errors = ui_.errors();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1], "対戦表保存エラー(" + bad.string() + ")");
  EXPECT_EQ(ui_.messages.back().caption, "");

  ui_.clear();
  const fs::path badCsv = at("missing") / "t.csv";
  EXPECT_FALSE(edit::saveCsv(*ws_, ui_, answers({badCsv})).done());
  ASSERT_EQ(ui_.errors().size(), 2u);
  EXPECT_EQ(ui_.errors()[0], "CSVデータを保存できませんでした(" + badCsv.string() + ")。");
  EXPECT_EQ(ui_.errors()[1], "CSVファイル保存エラー(" + badCsv.string() + ")");
}

TEST_F(FileCommands, CsvStartsFromTheTableFileAndAddsItsExtension) {
  add("A");
  add("B");
  auto saved = edit::saveCsv(*ws_, ui_, answers({at("chart")}));
  ASSERT_TRUE(saved.done());
  fs::path suggested = tablePath();
  suggested += ".csv";
  EXPECT_EQ(offered_, std::vector<fs::path>{suggested});
  EXPECT_EQ(saved.path, at("chart.csv"));
  EXPECT_EQ(ui_.statuses().back(), "CSVファイル(" + at("chart.csv").string() + ")を保存しました。");
  services::RecordingServices quiet;
  ASSERT_EQ(data::WriteCsvFile(ws_->table, ws_->players, at("direct.csv"), quiet), 0);
  EXPECT_EQ(testing::readFile(at("chart.csv")), testing::readFile(at("direct.csv")));

  // Saving over it asks with its own caption; キャンセル in the dialog asks nothing.
  ui_.clear();
  ui_.answers = {true};
  ASSERT_TRUE(edit::saveCsv(*ws_, ui_, answers({at("chart.csv")})).done());
  EXPECT_EQ(ui_.messages.front().caption, "CSVファイル保存");
  ui_.clear();
  EXPECT_FALSE(edit::saveCsv(*ws_, ui_, answers({})).done());
  EXPECT_TRUE(ui_.messages.empty());
}

TEST_F(FileCommands, ImportReplacesEverythingOrNothing) {
  add("Kept");
  std::ofstream(at("list.txt"), std::ios::binary)
      << text::sj("$試合数：3\r\n\"一\",1500\r\n\"二\",1400,2\r\n");
  ASSERT_EQ(edit::importNameList(*ws_, ui_, at("list.txt")), 0);
  EXPECT_EQ(ws_->players.count(), 2);
  EXPECT_EQ(ws_->table.participantCount, 3);
  EXPECT_EQ(ws_->table.numberOfGames, 3);
  EXPECT_EQ(ws_->table.filePath, at("list.tai"));
  EXPECT_EQ(ws_->playerFile, at("list.ply"));
  EXPECT_TRUE(fs::exists(at("list.tai")));
  EXPECT_TRUE(ui_.warnings().empty());

  // A list that cannot be read leaves what was there, and says so.
  ui_.clear();
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(edit::importNameList(*ws_, ui_, at("none.txt")), -1);
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(ws_->players.count(), 2);
  EXPECT_EQ(ws_->table.participantCount, 3);
  EXPECT_EQ(ws_->playerFile, at("list.ply"));
  EXPECT_EQ(ui_.errors(), std::vector<std::string>{"対局者ファイル(" + at("none.txt").string() +
                                                   ")を読み込めませんでした。"});

  // A list without a player warns.
  ui_.clear();
  std::ofstream(at("empty.txt")) << "# nobody\n";
  EXPECT_EQ(edit::importNameList(*ws_, ui_, at("empty.txt")), 0);
  EXPECT_EQ(ws_->players.count(), 0);
  EXPECT_EQ(ui_.warnings(), std::vector<std::string>{"対局者が登録されていません。"});
  EXPECT_EQ(ui_.messages.back().caption, "TOQ");
}

}  // namespace
}  // namespace toq
