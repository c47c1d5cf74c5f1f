#include "cli/console_services.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace toq::cli {
namespace {

TEST(ConsoleServices, BoxesGoToTheMessageStreamHeadedByTheirCaption) {
  std::ostringstream err;
  ConsoleServices ui(err, false, false);
  ui.errorBox("データを読み込めませんでした(a.tai)。", "エラー");
  ui.warningBox("変更は禁止されています。", "TOQ");
  ui.informationBox("終わりました。\n", "TOQ");
  ui.errorBox("対戦表保存エラー(b.tai)", "");
  EXPECT_EQ(err.str(),
            "エラー: データを読み込めませんでした(a.tai)。\n"
            "TOQ: 変更は禁止されています。\n"
            "TOQ: 終わりました。\n"
            "対戦表保存エラー(b.tai)\n");
  // Errors and warnings count as problems; information does not.
  EXPECT_EQ(ui.problemsShown(), 3u);
}

TEST(ConsoleServices, StatusMessagesShowOnlyWhenVerbose) {
  std::ostringstream quiet, verbose;
  ConsoleServices q(quiet, false, false), v(verbose, true, false);
  q.statusMessage("a.tai を保存しました。3人\n");
  v.statusMessage("a.tai を保存しました。3人\n");
  EXPECT_EQ(quiet.str(), "");
  EXPECT_EQ(verbose.str(), "a.tai を保存しました。3人\n");
}

TEST(ConsoleServices, QuestionsAreAnsweredYesAndSaySo) {
  std::ostringstream err;
  ConsoleServices ui(err, false, false);
  EXPECT_TRUE(ui.askYesNo("組み合わせますか？", "確認"));
  EXPECT_EQ(err.str(), "確認: 組み合わせますか？ → はい\n");
  EXPECT_EQ(ui.problemsShown(), 0u);
}

TEST(ConsoleServices, TheViewerIsUsedOnlyWhenAskedFor) {
  std::ostringstream err;
  ConsoleServices off(err, false, false);
  EXPECT_EQ(off.openWithViewer("/nonexistent/report.txt"), 0);
  EXPECT_EQ(err.str(), "");

  // With no xdg-open to be found the hand-off fails with the program's message.
  const char* oldPath = std::getenv("PATH");
  const std::string saved = oldPath ? oldPath : "";
  setenv("PATH", "/nonexistent-toq-dir", 1);
  ConsoleServices on(err, false, true);
  const int result = on.openWithViewer("/tmp/report.txt");
  setenv("PATH", saved.c_str(), 1);
  EXPECT_EQ(result, -1);
  EXPECT_EQ(err.str(), "エラー: テキストファイル(/tmp/report.txt)の表示に失敗しました。\n");
}

}  // namespace
}  // namespace toq::cli
