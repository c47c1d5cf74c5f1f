#include "pairing/repeat_test.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>

#include "pairing/date_stamp.h"
#include "pairing/driver.h"
#include "text/cp932.h"
#include "text/format.h"
#include "text/paths.h"

namespace toq::pairing {

namespace {

constexpr const char* kVersion = "V0.60";

// Appends CP932 text to the log; false when the file cannot be opened.
bool appendToLog(const std::filesystem::path& log, const std::string& text) {
  std::ofstream out(log, std::ios::binary | std::ios::app);
  if (!out) return false;
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  return !out.fail();
}

long long nowSeconds() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// Random results for one round: each game is drawn from both of its rows; the later draw stands.
void drawResults(PairingContext& ctx, int round) {
  data::Table& t = ctx.table;
  for (int k = 0; k < t.participantCount; ++k) {
    int o = t.opponentRow(k, round);
    if (o < 0) continue;
    t.result[k][round] = ctx.random.coin() ? data::kWin : data::kLoss;
    t.result[o][round] = data::oppositeResult(t.result[k][round]);
  }
}

}  // namespace

int runRepeatedTest(PairingContext& ctx, const std::filesystem::path& programDir,
                    const std::function<void()>& refresh, std::filesystem::path* logPath,
                    int runs) {
  if (!ctx.ui.askYesNo("連続抽選テストしますか？", "確認")) return -1;
  const DateStamp stamp = makeDateStamp();
  const std::filesystem::path log =
      programDir / text::pathFromUtf8("連続抽選" + stamp.compact + ".txt");
  const std::string logName = text::sj(text::pathToUtf8(log));
  data::Table& table = ctx.table;
  const std::string header = logName + "\n" + "\n" + text::sj(stamp.longDate) + " " +
                             stamp.longTime + "\n" + kVersion + "\n" + data::eventName(table) +
                             " " + text::format("%d", table.participantCount) + text::sj("名") +
                             "\n";
  if (!appendToLog(log, header)) return -1;
  if (logPath) *logPath = log;

  const std::string titleUtf8 = text::toUtf8(data::eventName(table));
  long long total = 0;
  long long longest = 0;
  int finished = 0;
  for (int run = 1; run <= runs; ++run) {
    ctx.ui.setWindowTitle(
        text::format("%s - 順位戦抽選（連続抽選中） %d回 / %d", titleUtf8.c_str(), run, runs));
    const long long start = nowSeconds();
    table.ResetEntries();
    if (table.participantCount % 2 == 1) {
      ctx.ui.questionSound();
      ctx.ui.errorBox("参加者が奇数です。");
      return -1;
    }
    appendToLog(log, text::format("No.%3d ", run));
    const int rounds = std::clamp(table.numberOfGames, 0, data::kMaxRounds);
    for (int round = 0; round < rounds; ++round) {
      ctx.random.seed(static_cast<std::uint32_t>(run));
      if (runPairing(ctx, round, refresh) != 0) return -1;
      const long long elapsed = nowSeconds() - start;
      ctx.ui.defaultSound();
      total += elapsed;
      longest = std::max(longest, elapsed);
      drawResults(ctx, round);
    }
    if (refresh) refresh();
    ctx.ui.processEvents();
    ++finished;
    // Stopped between two runs: the log holds the finished runs and no summary.
    if (ctx.ui.stopRequested()) return -2;
  }
  if (finished > 0) {
    const long long average = total / finished;
    appendToLog(log,
                text::sj(text::format("平均時間 %lld分%02lld秒 最長 %lld分%02lld秒\n", average / 60,
                                      average % 60, longest / 60, longest % 60)));
  }
  ctx.ui.statusMessage("連続抽選を終了しました。");
  if (refresh) refresh();
  ctx.ui.openWithViewer(log);
  ctx.ui.setWindowTitle({});
  return 0;
}

}  // namespace toq::pairing
