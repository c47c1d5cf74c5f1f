// The register's commands: register, edit and delete players; the player file after each.
#include <gtest/gtest.h>

#include "data/player_file.h"
#include "edit/edit_fixture.h"
#include "edit/players.h"
#include "text/cp932.h"

namespace toq {
namespace {

using edit::PlayerForm;
using edit::Stop;

class Players : public testing::EditTest {
 protected:
  // The register as the player file on disk holds it.
  data::Register fromDisk() {
    data::Register r;
    EXPECT_EQ(data::LoadPlayerFile(r, ws_->playerFile), 0);
    return r;
  }
  PlayerForm form(const std::string& name, const std::string& shortName = "", int rating = 1600,
                  bool professional = false) {
    return PlayerForm{name, shortName, rating, professional};
  }
};

TEST_F(Players, RegistrationConvertsTheNameAndWritesThePlayerFile) {
  EXPECT_EQ(edit::newPlayerForm().rating, 1600);
  EXPECT_TRUE(edit::newPlayerForm().name.empty());
  auto done = edit::registerPlayer(*ws_, ui_, form("羽生 善治", "羽生", 2100, true));
  ASSERT_EQ(done.code, 0);
  EXPECT_TRUE(done.saved);
  EXPECT_EQ(done.row, 1);
  EXPECT_EQ(done.other, 1);
  const data::Player& p = ws_->players.at(1);
  EXPECT_EQ(p.name, text::sj("羽生 善治"));
  EXPECT_EQ(p.shortName, text::sj("羽生"));
  EXPECT_EQ(p.rating, 2100);
  EXPECT_EQ(p.entries, 1);
  EXPECT_EQ(p.professional, 1);
  EXPECT_EQ(p.womanProfessional, 0);
  data::Register disk = fromDisk();
  ASSERT_EQ(disk.count(), 1);
  EXPECT_EQ(disk.at(1), p);
}

TEST_F(Players, RegistrationTakesTheSmallestFreeNumber) {
  add("A");
  add("B");
  add("C");
  ws_->players.RemovePlayer(2);
  auto done = edit::registerPlayer(*ws_, ui_, form("D"));
  ASSERT_EQ(done.code, 0);
  EXPECT_EQ(done.other, 2);
  EXPECT_EQ(done.row, 3);
}

TEST_F(Players, WomanProfessionalFollowsTheNameAsAfterReadingTheFile) {
  ASSERT_EQ(edit::registerPlayer(*ws_, ui_, form("女流 花子")).code, 0);
  EXPECT_EQ(ws_->players.at(1).womanProfessional, 1);
  EXPECT_EQ(fromDisk().at(1).womanProfessional, 1);
  ASSERT_EQ(edit::editPlayer(*ws_, ui_, 1, form("花子")).code, 0);
  EXPECT_EQ(ws_->players.at(1).womanProfessional, 0);
}

TEST_F(Players, NamesThatCannotBeStoredAreRefused) {
  add("Taken Name");
  struct Case {
    PlayerForm form;
    const char* message;
  };
  const Case cases[] = {
      {form("TakenName"), "同名の登録があります。"},
      {form("Taken　Name"), "同名の登録があります。"},
      {form("Smile 😀"), "氏名の7文字目（U+1F600）はシフトJISで表せません。"},
      {form("Ok", "😀"), "省略名の1文字目（U+1F600）はシフトJISで表せません。"},
      {form("a\"b"), "氏名に二重引用符（\"）は使えません。"},
      {form("a\nb"), "氏名に改行は使えません。"},
      {form("Ok", "x\r"), "省略名に改行は使えません。"},
      {form(std::string(128, 'x') + std::string(64, 'y') + std::string(64, 'z')),
       "氏名は255バイト（全角127文字）以内で入力してください。"},
      {form(""), "氏名を入力してください。"},
      {form(" 　 "), "氏名を入力してください。"},
  };
  for (const Case& c : cases) {
    ui_.clear();
    auto done = edit::registerPlayer(*ws_, ui_, c.form);
    EXPECT_EQ(done.stop, Stop::Refused) << c.message;
    EXPECT_EQ(ui_.errors(), std::vector<std::string>{c.message});
  }
  EXPECT_EQ(ws_->players.count(), 1);
  EXPECT_FALSE(std::filesystem::exists(ws_->playerFile));
  // 255 bytes fit: 127 double-byte characters and one single-byte one.
  std::string longest;
  for (int i = 0; i < 127; ++i) longest += "あ";
  ASSERT_EQ(edit::registerPlayer(*ws_, ui_, form(longest + "x")).code, 0);
  EXPECT_EQ(ws_->players.at(2).name.size(), 255u);
}

TEST_F(Players, FullRegisterIsRefused) {
  for (int i = 0; i < data::kMaxPlayers; ++i) add("P" + std::to_string(i), 1600, 0);
  auto done = edit::registerPlayer(*ws_, ui_, form("One more"));
  EXPECT_EQ(done.stop, Stop::Refused);
  EXPECT_EQ(lastError(), "対局者の登録数が上限（2000人）に達しています。");
  EXPECT_EQ(ws_->players.count(), data::kMaxPlayers);
}

TEST_F(Players, EditKeepsNumberAndBoardsAndWrites) {
  add("Multi", 2400, 0, true, 3);
  add("Other");
  auto initial = edit::playerForm(*ws_, 1);
  ASSERT_TRUE(initial);
  EXPECT_EQ(initial->name, "Multi");
  EXPECT_EQ(initial->rating, 2400);
  EXPECT_TRUE(initial->professional);
  EXPECT_FALSE(edit::playerForm(*ws_, 3));

  // The record's own name does not count as taken; spaces may be changed.
  auto done = edit::editPlayer(*ws_, ui_, 1, form("Mul ti", "M", 2450, true));
  ASSERT_EQ(done.code, 0);
  const data::Player& p = ws_->players.at(1);
  EXPECT_EQ(p.number, 1);
  EXPECT_EQ(p.name, "Mul ti");
  EXPECT_EQ(p.shortName, "M");
  EXPECT_EQ(p.rating, 2450);
  EXPECT_EQ(p.entries, 3);
  EXPECT_EQ(fromDisk().at(1), p);

  ui_.clear();
  EXPECT_EQ(edit::editPlayer(*ws_, ui_, 1, form("Ot her")).stop, Stop::Refused);
  EXPECT_EQ(ui_.errors(), std::vector<std::string>{"同名の登録があります。"});
  EXPECT_EQ(ws_->players.at(1).name, "Mul ti");
  EXPECT_EQ(edit::editPlayer(*ws_, ui_, 0, form("X")).stop, Stop::BadIndex);
  EXPECT_EQ(edit::editPlayer(*ws_, ui_, 3, form("X")).stop, Stop::BadIndex);
  EXPECT_EQ(lastError(), "対局者の番号が範囲外です。");
}

TEST_F(Players, ParticipantRowFindsItsRegisterPosition) {
  add("Gone", 1600, 0);
  const int kept = add("Kept");
  ws_->players.RemovePlayer(1);
  EXPECT_EQ(edit::playerPositionOfRow(*ws_, 0), 1);
  EXPECT_EQ(ws_->players.at(1).number, kept);
  ws_->table.participants[0] = 99;
  EXPECT_EQ(edit::playerPositionOfRow(*ws_, 0), 0);
  EXPECT_EQ(edit::playerPositionOfRow(*ws_, 1), 0);
  EXPECT_EQ(edit::playerPositionOfRow(*ws_, -1), 0);
}

TEST_F(Players, DeleteAsksLastFirstAndNoEndsTheLoop) {
  add("A", 1600, 0);
  add("B", 1600, 0);
  add("C", 1600, 0);
  add("D", 1600, 0);
  ui_.answers = {true, false};
  auto done = edit::deletePlayers(*ws_, ui_, {1, 2, 4});
  EXPECT_EQ(done.code, 0);
  EXPECT_EQ(done.count, 1);
  EXPECT_EQ(ui_.questions(), (std::vector<std::string>{"対局者(D)のデータを削除しますか？",
                                                       "対局者(B)のデータを削除しますか？"}));
  EXPECT_EQ(ui_.messages[0].caption, "対局者データの削除");
  ASSERT_EQ(ws_->players.count(), 3);
  EXPECT_EQ(ws_->players.at(3).name, "C");
  EXPECT_EQ(fromDisk().count(), 3);

  ui_.clear();
  ui_.answers = {false};
  done = edit::deletePlayers(*ws_, ui_, {1});
  EXPECT_EQ(done.stop, Stop::Declined);
  EXPECT_EQ(ws_->players.count(), 3);

  // A position out of range refuses the whole command before any question.
  ui_.clear();
  EXPECT_EQ(edit::deletePlayers(*ws_, ui_, {1, 4}).stop, Stop::BadIndex);
  EXPECT_TRUE(ui_.questions().empty());
  EXPECT_EQ(edit::deletePlayers(*ws_, ui_, {}).stop, Stop::NothingToDo);
}

TEST_F(Players, WithoutAPlayerFileTheChangeStaysInMemory) {
  ws_->playerFile.clear();
  auto done = edit::registerPlayer(*ws_, ui_, form("A"));
  EXPECT_EQ(done.code, 0);
  EXPECT_TRUE(done.changed);
  EXPECT_FALSE(done.saved);
  EXPECT_EQ(ws_->players.count(), 1);

  ws_->playerFile = std::filesystem::path(dir_) / "missing" / "cup.ply";
  done = edit::registerPlayer(*ws_, ui_, form("B"));
  EXPECT_EQ(done.code, -2);
  EXPECT_EQ(ws_->players.count(), 2);
  EXPECT_EQ(lastError(), "対局者データを保存できませんでした(" +
                             (std::filesystem::path(dir_) / "missing" / "cup.ply").string() +
                             ")。");
}

}  // namespace
}  // namespace toq
