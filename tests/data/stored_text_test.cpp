// The one rule for stored texts, and readers that give a whole file or name the line that
// stopped them.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/file_parsers.h"
#include "data/player_file.h"
#include "data/read_fault.h"
#include "data/stored_text.h"
#include "file_fixtures.h"

namespace toq {
namespace {

using text::sj;

// Hostile texts as they arrive typed (UTF-8): refused with the message that names the
// character and its place, or stored as typed.
TEST(StoredText, TypedTextsAreRefusedWithTheirCharacterAndPlace) {
  struct Case {
    std::string typed;
    std::string message;  // empty: stored
  };
  const std::vector<Case> cases = {
      {std::string("A\0B", 3), "氏名の2文字目に制御文字（U+0000）は使えません。"},
      {"青山\x1b[31m", "氏名の3文字目に制御文字（U+001B）は使えません。"},
      {"\x07", "氏名の1文字目に制御文字（U+0007）は使えません。"},
      {"tab\there", "氏名の4文字目に制御文字（U+0009）は使えません。"},
      {"del\x7f", "氏名の4文字目に制御文字（U+007F）は使えません。"},
      {"c1\xc2\x85", "氏名の3文字目に制御文字（U+0085）は使えません。"},
      {"c1\xc2\x9f!", "氏名の3文字目に制御文字（U+009F）は使えません。"},
      {"a\"b", "氏名に二重引用符（\"）は使えません。"},
      {"a\r\nb", "氏名に改行は使えません。"},
      {"𠮷田", "氏名の1文字目（U+20BB7）はシフトJISで表せません。"},
      {"\x82", "氏名の1文字目がシフトJISの文字ではありません（0x82）。"},
      {std::string(256, 'x'), "氏名は255バイト（全角127文字）以内で入力してください。"},
      {std::string(255, 'x'), ""},
      {"<a href=http://10.9.9.9/>x</a>", ""},
      {"<img src=x onerror=alert(1)>", ""},
      {"山田, 太郎", ""},
      {"ｶﾀｶﾅ　全角空白", ""},
  };
  for (const Case& c : cases) {
    std::string message;
    const std::optional<std::string> stored = data::storedText(c.typed, "氏名", message);
    EXPECT_EQ(message, c.message) << c.typed;
    if (c.message.empty()) {
      ASSERT_TRUE(stored) << c.typed;
      EXPECT_EQ(text::toUtf8(*stored), c.typed);
      EXPECT_TRUE(data::checkStoredText(*stored).ok());
    }
  }
}

// Bytes of an old file judged by the same rule, and shown escaped on a terminal.
TEST(StoredText, BytesOfOldFilesAreJudgedAndShownEscaped) {
  EXPECT_EQ(data::checkStoredText(sj("青山") + "\x1b").problem, data::TextProblem::Control);
  EXPECT_EQ(data::checkStoredText(sj("青山") + "\x1b").place, 3u);
  EXPECT_EQ(data::checkStoredText("\x82").problem, data::TextProblem::NotCp932);
  EXPECT_EQ(data::checkStoredText("\x80").problem, data::TextProblem::NotCp932);
  EXPECT_TRUE(data::checkStoredText(sj("ｶﾀｶﾅ 表示")).ok());  // 0x95 0x5C: a trail byte "\"
  EXPECT_EQ(data::escapedUtf8(sj("青山") + "\x1b[31m\x7f"), "青山\\x1B[31m\\x7F");
  EXPECT_EQ(data::escapedUtf8(sj("表示ｶﾅ")), "表示ｶﾅ");
}

// A player file with a broken record in the middle gives no register to write: every record
// it can read, the first fault with its line, and -1.
TEST(StoredText, APlayerFileThatDoesNotReadWholeNamesItsLine) {
  const std::string head = sj("# TOQ V0.60 参加者データ\r\n$バージョン  :0.60\r\n");
  const std::string good1 = sj("0001,0001,\"青山 大輔\",\"\",1600,1,0,\r\n");
  const std::string good2 = sj("0003,0003,\"南 一郎\",\"\",1500,1,0,\r\n");
  struct Case {
    std::string middle;
    int line;
    std::string what;
  };
  const std::vector<Case> cases = {
      {std::string("0002,0002,\"A\0B\",\"\",1600,1,0,\r\n", 30), 4, "NUL文字（U+0000）があります"},
      {"0002,0002,\"no closing quote\r\n", 4, "対局者の記録として読めません"},
      {"garbage\r\n", 4, "対局者の記録として読めません"},
  };
  for (const Case& c : cases) {
    data::Register players;
    data::ReadFault fault;
    EXPECT_EQ(data::parsePlayerText(players, head + good1 + c.middle + good2, &fault), -1);
    EXPECT_EQ(fault.line, c.line);
    EXPECT_EQ(fault.what, c.what);
    EXPECT_EQ(players.count(), 2);  // both good records, for viewing
  }
  data::ReadFault fault;
  fault.line = 4;
  fault.what = "NUL文字（U+0000）があります";
  EXPECT_EQ(data::readFaultMessage(std::filesystem::path(u8"春.ply"), fault),
            "春.ply の 4行目: NUL文字（U+0000）があります。このファイルは全部は読めないため、"
            "変更しません。");

  // An old record that holds a control character reads, and is named to be mended.
  data::Register old;
  ASSERT_EQ(data::parsePlayerText(old, head + sj("0001,0001,\"青\x1b山\",\"\",1600,1,0,\r\n")), 0);
  const std::vector<std::string> offending = data::offendingRecords(old);
  ASSERT_EQ(offending.size(), 1u);
  EXPECT_EQ(offending[0],
            "1番目の対局者「青\\x1B山」: 氏名の2文字目に制御文字（U+001B）は使えません。 "
            "対局者の編集で直してください。");
}

TEST(StoredText, ATableFileThatDoesNotReadWholeNamesItsLine) {
  const std::string head = sj("# TOQ V0.60 対戦表データ\r\n# x\r\n$バージョン  :0.60\r\n");
  const std::string rows = "01, 1, -1, -1, 00, 00,\r\n02, 2, -1, -1, 00, 00,\r\n";
  struct Case {
    std::string text;
    data::TableTextResult result;
    int line;
  };
  const std::vector<Case> cases = {
      {head + sj("$人数        :2\r\n$回戦数      :1\r\n") + rows, data::TableTextResult::Ok, 0},
      {head + sj("$人数        :3\r\n$回戦数      :1\r\n") + rows,
       data::TableTextResult::CountMismatch, 4},
      {head + sj("$回戦数      :1\r\n") + std::string("01, 1, -1,\0 -1\r\n", 16) + rows,
       data::TableTextResult::Nul, 5},
      {head + sj("$回戦数      :1\r\n") + "01, x\r\n" + rows, data::TableTextResult::BadRow, 5},
  };
  for (const Case& c : cases) {
    auto table = std::make_unique<data::Table>();
    data::ReadFault fault;
    EXPECT_EQ(data::parseTableText(*table, c.text, &fault), c.result);
    EXPECT_EQ(fault.line, c.line);
  }
}

}  // namespace
}  // namespace toq
