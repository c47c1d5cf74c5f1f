#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli/cli_harness.h"
#include "cli/commands.h"

namespace toq::testing {
namespace {

bool contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(CliDispatch, HelpListsEverySubCommandOnTheDataStream) {
  for (const char* flag : {"--help", "-h", "help"}) {
    CliRun r = runInProcess({flag});
    EXPECT_EQ(r.code, cli::kExitOk) << flag;
    EXPECT_TRUE(r.err.empty()) << flag;
    for (const cli::Command& c : cli::commands()) {
      EXPECT_TRUE(contains(r.out, "toq-cli " + std::string(c.name) + " " + std::string(c.usage)))
          << c.name;
      EXPECT_TRUE(contains(r.out, std::string(c.description))) << c.name;
    }
  }
  EXPECT_EQ(runInProcess({"--verbose", "help"}).code, cli::kExitOk);
  // --help wins wherever it stands.
  EXPECT_EQ(runInProcess({"show", "x.tai", "--help"}).code, cli::kExitOk);
}

TEST(CliDispatch, BadUsageExitsWithTwoAndTheUsageOnTheMessageStream) {
  CliRun none = runInProcess({});
  EXPECT_EQ(none.code, cli::kExitUsage);
  EXPECT_TRUE(none.out.empty());
  EXPECT_TRUE(contains(none.err, "使い方: toq-cli"));

  CliRun unknown = runInProcess({"pair-everything"});
  EXPECT_EQ(unknown.code, cli::kExitUsage);
  EXPECT_TRUE(contains(unknown.err, "サブコマンド pair-everything はありません。"));

  CliRun option = runInProcess({"--fast", "show", "a.tai"});
  EXPECT_EQ(option.code, cli::kExitUsage);
  EXPECT_TRUE(contains(option.err, "オプション --fast はありません。"));

  CliRun missing = runInProcess({"show"});
  EXPECT_EQ(missing.code, cli::kExitUsage);
  EXPECT_EQ(missing.err, "使い方: toq-cli show TABLE.tai\n");

  CliRun extra = runInProcess({"csv", "a.tai", "b.csv", "c.csv"});
  EXPECT_EQ(extra.code, cli::kExitUsage);
  EXPECT_EQ(extra.err, "使い方: toq-cli csv TABLE.tai [OUT.csv]\n");

  for (const cli::Command& c : cli::commands()) {
    if (c.maxArgs > 10) continue;  // any number of operands
    std::vector<std::string> tooMany = {std::string(c.name)};
    tooMany.resize(c.maxArgs + 2, "x");
    EXPECT_EQ(runInProcess(tooMany).code, cli::kExitUsage) << c.name;
  }
}

TEST(CliDispatch, OptionsMayStandAnywhereAndADoubleDashEndsThem) {
  // The option is taken wherever it stands; the missing file then fails with 1, not 2.
  EXPECT_EQ(runInProcess({"show", "--verbose", "/nonexistent/t.tai"}).code, cli::kExitFailure);
  EXPECT_EQ(runInProcess({"--verbose", "show", "/nonexistent/t.tai"}).code, cli::kExitFailure);
  // After "--" a name that starts with a dash is a file.
  CliRun r = runInProcess({"show", "--", "--odd.tai"});
  EXPECT_EQ(r.code, cli::kExitFailure);
  EXPECT_TRUE(contains(r.err, "--odd.tai"));
}

TEST(CliDispatch, EachSubCommandTakesOnlyItsOwnOptions) {
  CliRun foreign = runInProcess({"show", "a.tai", "--sides"});
  EXPECT_EQ(foreign.code, cli::kExitUsage);
  EXPECT_EQ(foreign.err, "オプション --sides はありません。\n使い方: toq-cli show TABLE.tai\n");

  CliRun early = runInProcess({"--sides", "pair", "a.tai"});
  EXPECT_EQ(early.code, cli::kExitUsage);
  EXPECT_TRUE(contains(early.err, "オプション --sides はサブコマンドの後に置いてください。"));

  CliRun noValue = runInProcess({"standings", "a.tai", "--round"});
  EXPECT_EQ(noValue.code, cli::kExitUsage);
  EXPECT_TRUE(contains(noValue.err, "オプション --round には値が必要です。"));

  // A flag takes no value, and the global options none either.
  EXPECT_EQ(runInProcess({"pair", "a.tai", "--sides=1"}).code, cli::kExitUsage);
  EXPECT_EQ(runInProcess({"pair", "a.tai", "--verbose=1"}).code, cli::kExitUsage);
  EXPECT_EQ(runInProcess({"report", "a.tai", "results", "--view=no"}).code, cli::kExitUsage);

  // Accepted options get as far as the missing file: 1, not 2.
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"pair", "/nonexistent/t.tai", "--no-sides", "--handicaps", "--six-piece", "--play2",
            "--woman-twice"},
           {"standings", "/nonexistent/t.tai", "--round", "2"},
           {"standings", "/nonexistent/t.tai", "--round=2"},
           {"opponent", "/nonexistent/t.tai", "1", "2", "--handicaps"},
           {"edit", "/nonexistent/p.ply", "1", "--name", "N", "--short=S", "--rating", "-5",
            "--no-pro"},
           {"games", "/nonexistent/t.tai", "-3"}})
    EXPECT_EQ(runInProcess(args).code, cli::kExitFailure) << args[0];
}

TEST(CliDispatch, WholeNumbersAndIndexOperands) {
  EXPECT_EQ(cli::parseInteger("0"), 0);
  EXPECT_EQ(cli::parseInteger("-5"), -5);
  EXPECT_EQ(cli::parseInteger("2147483647"), 2147483647);
  for (const char* bad : {"", "+5", "1.5", " 1", "1 ", "2147483648", "-", "x1"})
    EXPECT_FALSE(cli::parseInteger(bad).has_value()) << bad;
  EXPECT_EQ(cli::indexOperand("1"), 0);
  EXPECT_EQ(cli::indexOperand("100"), 99);
  // Numbers below 1 stay out of range for the core to refuse, without overflow.
  EXPECT_EQ(cli::indexOperand("0"), -1);
  EXPECT_EQ(cli::indexOperand("-2147483648"), -1);
  EXPECT_FALSE(cli::indexOperand("first").has_value());
}

TEST(CliDispatch, RowAndRoundNumbersCountFromOne) {
  EXPECT_EQ(cli::parseOneBased("1", 5), 0);
  EXPECT_EQ(cli::parseOneBased("5", 5), 4);
  for (const char* bad : {"0", "6", "-1", "", "2x", " 3", "99999999999999"})
    EXPECT_FALSE(cli::parseOneBased(bad, 5).has_value()) << bad;
}

}  // namespace
}  // namespace toq::testing
