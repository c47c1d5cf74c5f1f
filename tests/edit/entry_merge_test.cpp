// The entries import says what it did with the same name on several lines: which lines it
// merged into which, and every value a later line replaced, before the import and after it.

#include <gtest/gtest.h>

#include "data/entry_sheet.h"
#include "edit/entry_import.h"
#include "edit_fixture.h"
#include "text/cp932.h"

namespace toq {
namespace {

class EntryMerge : public testing::EditTest {};

TEST_F(EntryMerge, PreviewAndSummaryNameTheMergedLinesAndTheReplacedValues) {
  const data::EntrySheet sheet = data::readEntrySheet(
      "氏名,R,所属,省略名\n"
      "吉田 陽菜,1500,青葉教室,\n"
      "佐藤 蓮,1400,,\n"
      "吉田　陽菜,1600,桜町クラブ,\n"
      "佐藤蓮,1400,,\n"
      "鈴木 葵,1300,,鈴木\n"
      "佐藤 蓮,1450,北小,サトウ\n",
      {});
  const edit::EntryPlan plan = edit::planEntries(*ws_, sheet);
  EXPECT_EQ(plan.entries.size(), 3u);
  std::vector<std::string> merged;
  for (const edit::MergedLine& m : plan.merged) merged.push_back(edit::mergedText(m));
  EXPECT_EQ(merged, (std::vector<std::string>{
                        "4行目（吉田　陽菜）は 2行目と同じ人としてまとめました：レーティング 1500 "
                        "→ 1600、所属 青葉教室 → 桜町クラブ",
                        "5行目（佐藤蓮）は 3行目と同じ人としてまとめました",
                        "7行目（佐藤 蓮）は 3行目と同じ人としてまとめました：省略名 （なし） → "
                        "サトウ、レーティング 1400 → 1450、所属 （なし） → 北小"}));
  EXPECT_EQ(edit::planSummary(plan), "新規 3人・更新 0人・まとめた行 3・取り込まない行 0");

  // After the import the same is told once more, and the records hold the later values.
  ASSERT_TRUE(edit::importEntries(*ws_, ui_, plan, false).done());
  EXPECT_EQ(ui_.texts(services::RecordedMessage::Kind::Information),
            std::vector<std::string>{"同じ名前の行をまとめました：\n" + merged[0] + "\n" +
                                     merged[1] + "\n" + merged[2]});
  EXPECT_EQ(ws_->players.at(1).rating, 1600);
  EXPECT_EQ(text::toUtf8(ws_->players.at(2).affiliation), "北小");
}

}  // namespace
}  // namespace toq
