// The entry list's reader: header names, encodings and separators, grades, refused lines.

#include <gtest/gtest.h>

#include <algorithm>

#include "data/entry_sheet.h"
#include "text/cp932.h"

namespace toq::data {
namespace {

std::string sjis(const std::string& utf8) {
  return *text::toCp932(utf8);
}

TEST(EntrySheet, HeadersAreMatchedByName) {
  const struct {
    std::string header;
    std::optional<EntryField> field;
  } cases[] = {
      {"氏名", EntryField::Name},
      {" お名前　", EntryField::Name},
      {"Name", EntryField::Name},
      {"略称", EntryField::ShortName},
      {"R", EntryField::Rating},
      {"レーティング", EntryField::Rating},
      {"棋力", EntryField::Grade},
      {"段級位", EntryField::Grade},
      {"同時対局数", EntryField::Boards},
      {"プロ", EntryField::Professional},
      {"所属", EntryField::Affiliation},
      {"タイムスタンプ", std::nullopt},
      {"メールアドレス", std::nullopt},
      // As form services export them: the questions' texts with their notes.
      {"お名前（フルネーム）", EntryField::Name},
      {"棋力（段級位）", EntryField::Grade},
      {"所属（任意）", EntryField::Affiliation},
      {"【必須】氏名", EntryField::Name},
      {"ふりがな", EntryField::Reading},
      {"お名前（ふりがな）", EntryField::Reading},
      {"フリガナ ※全角カタカナでご記入ください", EntryField::Reading},
      {"よみがな", EntryField::Reading},
      {"レーティング(お持ちの方)", EntryField::Rating},
      {"所属道場・学校名 ［任意］", EntryField::Affiliation},
      {"保護者のお名前", EntryField::Name},
      // Hand-made sheets and English headers.
      {"Full Name", EntryField::Name},
      {"Short name", EntryField::ShortName},
      {"Rating", EntryField::Rating},
      {"Grade", EntryField::Grade},
      {"Club", EntryField::Affiliation},
      {"Your reading", EntryField::Reading},
      {"参加区分", std::nullopt},
      {"ご要望（名前の表記など）", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(fieldOfHeader(c.header), c.field) << c.header;
  // The affiliation arrives in the register's own encoding.
  const EntrySheet s = readEntrySheet("氏名,所属\n青山 一,〇〇道場\n", {});
  ASSERT_EQ(s.rows.size(), 1u);
  EXPECT_EQ(s.rows[0].affiliation, text::sj("〇〇道場"));
}

TEST(EntrySheet, EveryEncodingAndSeparatorGivesTheSameRows) {
  const std::string csv = "氏名,R,メール\r\n\"青山, 一\",1500,a@b\r\n南条　二,１６００,\r\n";
  const std::string tsv = "氏名\tR\tメール\n青山, 一\t1500\ta@b\n南条　二\t１６００\t\n";
  const struct {
    std::string bytes;
    SheetEncoding encoding;
  } cases[] = {{csv, SheetEncoding::Utf8},
               {"\xEF\xBB\xBF" + csv, SheetEncoding::Utf8WithBom},
               {sjis(csv), SheetEncoding::ShiftJis},
               {tsv, SheetEncoding::Utf8},
               {sjis(tsv), SheetEncoding::ShiftJis}};
  for (const auto& c : cases) {
    const EntrySheet s = readEntrySheet(c.bytes, {});
    ASSERT_TRUE(s.read) << s.problem;
    EXPECT_EQ(s.encoding, c.encoding);
    ASSERT_EQ(s.rows.size(), 2u);
    EXPECT_EQ(s.rows[0].name, sjis("青山, 一"));
    EXPECT_EQ(s.rows[1].name, sjis("南条　二"));
    EXPECT_EQ(s.rows[1].rating, 1600);
    EXPECT_EQ(s.ignored, std::vector<std::string>{"メール"});
  }
}

TEST(EntrySheet, TextThatIsNeitherEncodingIsRefusedAtItsFirstBadLine) {
  const EntrySheet s = readEntrySheet("氏名\n青山\n\xFF\xFE\x80\n", {});
  EXPECT_FALSE(s.read);
  EXPECT_EQ(s.problem, "3行目: 文字コードがUTF-8でもShift-JISでもありません");
}

TEST(EntrySheet, QuotedCellsHoldQuotesAndLineBreaksAndLinesKeepTheirNumbers) {
  const EntrySheet s =
      readEntrySheet("氏名,省略名\n\"青山 \"\"一\"\"\",\"あ\nお\"\n\n南条,\n北\n", {});
  ASSERT_TRUE(s.read);
  ASSERT_EQ(s.rows.size(), 2u);
  ASSERT_EQ(s.refused.size(), 1u);
  EXPECT_EQ(s.refused[0].message, "2行目: 氏名に二重引用符（\"）は使えません。");
  EXPECT_EQ(s.rows[0].line, 5);
  EXPECT_EQ(s.rows[1].line, 6);
  EXPECT_EQ(s.rows[1].shortName, std::nullopt);
}

TEST(EntrySheet, RefusedLinesSayWhy) {
  const std::string longName(256, 'x');
  const EntrySheet s = readEntrySheet(
      "名前,レーティング,段級,同時対局数\n"
      "一,千五百,,\n"
      "二,,有段者,\n"
      "\U0001F363,1500,,\n" +
          longName +
          ",1500,,\n"
          ",1500,,\n"
          "三,1500,,0\n",
      {});
  std::vector<std::string> messages;
  for (const RefusedLine& r : s.refused) messages.push_back(r.message);
  EXPECT_EQ(messages, (std::vector<std::string>{
                          "2行目: レーティング「千五百」が数ではありません",
                          "3行目: 段級「有段者」のレーティングが決まっていません",
                          "4行目: 氏名の1文字目（U+1F363）はシフトJISで表せません。",
                          "5行目: 氏名は255バイト（全角127文字）以内で入力してください。",
                          "6行目: 氏名がありません",
                          "7行目: 同時対局数「0」は1から99までです",
                      }));
  EXPECT_TRUE(s.rows.empty());
}

TEST(EntrySheet, GradesBecomeRatings) {
  GradeTable given;
  given.set("初段", 1550);
  const struct {
    std::string grade;
    std::string canonical;
    std::optional<int> rating;
  } cases[] = {
      {"初段", "初段", 1550},
      {"アマ四段", "四段", 1800},
      {"4段", "四段", 1800},
      {"５級", "5級", 1000},
      {"五級", "5級", 1000},
      {"二十級", "20級", 100},
      {"有段者", "有段者", std::nullopt},
      // A grade with a note is read by its grade.
      {"二段くらい", "二段", 1600},
      {"初段（自称）", "初段", 1550},
      {"だいたい3級", "3級", 1200},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(canonicalGrade(c.grade), c.canonical) << c.grade;
    EXPECT_EQ(given.ratingOf(c.grade), c.rating) << c.grade;
  }
  EXPECT_EQ(parseGradeRating("三段＝１７５０"), std::make_pair(std::string("三段"), 1750));
  EXPECT_EQ(parseGradeRating("三段"), std::nullopt);
}

TEST(EntrySheet, ANameWithACharacterShiftJisLacksTakesItsStandIn) {
  const EntrySheet s = readEntrySheet("氏名\n𠮷田 一\n森鷗外\n\U0001F363\n", {});
  ASSERT_EQ(s.rows.size(), 2u);
  EXPECT_EQ(s.rows[0].name, text::sj("吉田 一"));
  EXPECT_EQ(s.rows[1].name, text::sj("森鴎外"));
  ASSERT_EQ(s.standIns.size(), 2u);
  EXPECT_EQ(s.standIns[0].message,
            "2行目: 氏名「𠮷田 一」はShift-JISで表せない文字を代えて「吉田 "
            "一」として登録します（𠮷→吉）");
  ASSERT_EQ(s.refused.size(), 1u);  // a character without a stand-in is still refused
}

TEST(EntrySheet, AFormsExportIsReadAndUnsureColumnsAreChosenByHand) {
  const std::string form =
      "タイムスタンプ,お名前（フルネーム）,ふりがな,棋力（段級位）,所属（任意）,保護者のお名前\n"
      "2026/04/01,青山 一,あおやま はじめ,三段くらい,南小,青山 父\n";
  EntrySheet s = readEntrySheet(form, {});
  ASSERT_TRUE(s.read) << s.problem;
  // Two columns name the name: the first is taken, and the chooser asks.
  EXPECT_EQ(s.columns[static_cast<std::size_t>(EntryField::Name)], 1);
  EXPECT_NE(std::find(s.unsure.begin(), s.unsure.end(), EntryField::Name), s.unsure.end());
  ASSERT_EQ(s.rows.size(), 1u);
  EXPECT_EQ(s.rows[0].reading, text::sj("あおやま はじめ"));
  EXPECT_EQ(s.rows[0].rating, 1700);
  EXPECT_EQ(s.headers.size(), 6u);

  ColumnChoice chosen;
  chosen.columns[static_cast<std::size_t>(EntryField::Name)] = 5;
  chosen.columns[static_cast<std::size_t>(EntryField::Reading)] = kUnused;
  s = readEntrySheet(form, {}, chosen);
  ASSERT_TRUE(s.read);
  EXPECT_EQ(s.rows[0].name, text::sj("青山 父"));
  EXPECT_EQ(s.rows[0].reading, std::nullopt);
  EXPECT_EQ(std::find(s.unsure.begin(), s.unsure.end(), EntryField::Name), s.unsure.end());
  EXPECT_EQ(fieldNamed("氏名"), EntryField::Name);
  EXPECT_EQ(fieldNamed("ふりがな"), EntryField::Reading);
  EXPECT_EQ(fieldNamed("使わない"), std::nullopt);
}

}  // namespace
}  // namespace toq::data
