// html: the web page of a table file, beside it or where asked, written safely.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_fixture.h"
#include "support/html_check.h"

namespace toq::testing {
namespace {

using data::kWin;

using CliHtml = CliTableTest;

TEST_F(CliHtml, WritesThePageBesideTheTableThenKeepsTheOldOneAsBak) {
  fourPlayers();
  t_->play(0, 0, 1, kWin);
  t_->play(0, 2, 3, kWin);
  t_->table.setPair(1, 0, 2);
  t_->table.setPair(1, 1, 3);
  save();
  CliRun first = cli("html", {table()});
  ASSERT_EQ(first.code, 0) << first.err;
  EXPECT_EQ(first.out, path("event.html").string() + "\n");
  EXPECT_EQ(first.err, "");
  const std::string page = bytes("event.html");
  const HtmlDocument doc = parseHtml(page);
  ASSERT_TRUE(doc.ok()) << doc.error;
  EXPECT_EQ(doc.root.all("h1")[0]->textContent(), "event");
  EXPECT_EQ(doc.root.byId("pairings")->all("h2")[0]->textContent(), "2回戦の組み合わせ");
  EXPECT_EQ(doc.root.byId("standings")->all("h2")[0]->textContent(), "成績（1回戦終了時点）");
  EXPECT_EQ(doc.root.byId("chart")->all("tbody").size(), 4u);

  // The table file is only read; a second page keeps the first as ".bak".
  const std::string tableBytes = bytes("event.tai");
  CliRun second = cli("--verbose", {"html", table()});
  ASSERT_EQ(second.code, 0) << second.err;
  EXPECT_EQ(second.err, "Webページ(" + path("event.html").string() + ")を保存しました。\n");
  EXPECT_EQ(bytes("event.html.bak"), page);
  EXPECT_EQ(bytes("event.tai"), tableBytes);
}

TEST_F(CliHtml, WritesWhereAskedAndFailsWithAMessageWhereItCannot) {
  fourPlayers();
  save();
  CliRun named = cli("html", {table(), path("web.html").string()});
  ASSERT_EQ(named.code, 0) << named.err;
  EXPECT_EQ(named.out, path("web.html").string() + "\n");
  EXPECT_TRUE(parseHtml(bytes("web.html")).ok());
  EXPECT_FALSE(std::filesystem::exists(path("event.html")));

  const std::string nowhere = path("missing/web.html").string();
  CliRun failed = cli("html", {table(), nowhere});
  EXPECT_EQ(failed.code, cli::kExitFailure);
  EXPECT_EQ(failed.out, "");
  EXPECT_EQ(failed.err, "エラー: Webページを保存できませんでした(" + nowhere + ")。\n");

  CliRun absent = cli("html", {path("absent.tai").string()});
  EXPECT_EQ(absent.code, cli::kExitFailure);
  EXPECT_FALSE(std::filesystem::exists(path("absent.html")));
  EXPECT_EQ(cli("html", {}).code, cli::kExitUsage);
  EXPECT_EQ(cli("html", {table(), "a.html", "b.html"}).code, cli::kExitUsage);
}

}  // namespace
}  // namespace toq::testing
