// The display as a projector shows it, in headless Chromium at three screen sizes: how many
// boards and standings rows each page holds, in how many columns, and how long a cycle takes;
// after the last result, the final standings alone with the first place on top.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <array>
#include <filesystem>
#include <fstream>
#include <numeric>

#include "server/pages.h"
#include "server_fixture.h"
#include "support/command_output.h"
#include "text/cp932.h"

namespace toq {
namespace {

using nlohmann::json;

// Chromium's path, or empty when it is not installed (scripts/setup installs it).
std::string chromium() {
  return std::filesystem::exists("/usr/bin/chromium") ? "/usr/bin/chromium" : "";
}

// The display's own account of how it cut its lists, read back from the page that Chromium
// laid out at width x height.
json layoutAt(const std::string& html, int width, int height, const std::string& dir) {
  const std::filesystem::path page = std::filesystem::path(dir) / "display.html";
  std::ofstream(page, std::ios::binary | std::ios::trunc) << html;
  const std::string command =
      chromium() +
      " --headless --no-sandbox --disable-gpu --disable-quic --no-first-run"
      " --disable-background-networking --disable-component-update --disable-sync"
      " --hide-scrollbars --force-device-scale-factor=1 --user-data-dir=" +
      dir + "/profile --window-size=" + std::to_string(width) + "," + std::to_string(height) +
      " --virtual-time-budget=1500 --dump-dom file://" + page.string() + " 2>/dev/null";
  const std::string dom = testing::commandOutput(command);
  const std::string key = "data-layout=\"";
  const std::size_t at = dom.find(key);
  if (at == std::string::npos) return json();
  std::string value = dom.substr(at + key.size(), dom.find('"', at + key.size()) - at - key.size());
  for (std::size_t q; (q = value.find("&quot;")) != std::string::npos;) value.replace(q, 6, "\"");
  return json::parse(value, nullptr, false);
}

class DisplayScreen : public testing::ServerTest {
 protected:
  void SetUp() override {
    ServerTest::SetUp();
    if (chromium().empty()) GTEST_SKIP() << "chromium is missing: run scripts/setup";
    // The largest field a table holds: 98 rows, 49 boards a round, names of the usual length.
    for (int i = 0; i < 98; ++i) add(text::sj("吉田 陽菜") + std::to_string(i), 1200 + 7 * i);
    ws_->table.numberOfGames = 2;
    for (int row = 0; row < 98; row += 2) play(0, row, row + 1, data::kWin);
    for (int row = 1; row < 98; row += 2) play(1, row, (row + 1) % 98);
  }
  // Rows of each page of a section, summed over its columns.
  static std::vector<int> rowsPerPage(const json& layout, const std::string& section) {
    std::vector<int> rows;
    for (const json& p : layout["pages"]) {
      if (p["section"] != section) continue;
      int sum = 0;
      for (const json& c : p["columns"]) sum += c.get<int>();
      rows.push_back(sum);
    }
    return rows;
  }
};

TEST_F(DisplayScreen, ListsFillTheScreenAndACycleStaysShort) {
  const std::string html = server::displayPage(*ws_, 1, "").html;
  // Width, height, the rows a first page holds at least, its columns at least.
  for (const auto& s : {std::array{1920, 1080, 20, 2}, {1280, 720, 12, 1}, {1024, 768, 12, 1}}) {
    SCOPED_TRACE(::testing::Message() << s[0] << "x" << s[1]);
    const json layout = layoutAt(html, s[0], s[1], dir_);
    ASSERT_TRUE(layout.is_object()) << "the display said nothing of its layout";
    const std::vector<int> boards = rowsPerPage(layout, "pairings");
    const std::vector<int> places = rowsPerPage(layout, "standings");
    // Every board and every place is on some page, each full page holds as many as asked.
    EXPECT_EQ(std::accumulate(boards.begin(), boards.end(), 0), 49);
    EXPECT_EQ(std::accumulate(places.begin(), places.end(), 0), 98);
    EXPECT_GE(boards.at(0), s[2]) << layout;
    EXPECT_GE(places.at(0), s[2]) << layout;
    EXPECT_GE(layout["pages"][0]["columns"].size(), static_cast<std::size_t>(s[3])) << layout;
    const int cycle = layout["dwell"].get<int>() * static_cast<int>(layout["pages"].size());
    EXPECT_LT(cycle, 40000) << layout;
  }
}

TEST_F(DisplayScreen, AfterTheLastResultTheFinalStandingsAloneFirstPlaceOnTop) {
  for (int row = 1; row < 98; row += 2) play(1, row, (row + 1) % 98, data::kWin);
  const std::string html = server::displayPage(*ws_, 1, "").html;
  EXPECT_EQ(html.find("id=\"pairings\""), std::string::npos);
  EXPECT_NE(html.find("最終成績（全2回戦）"), std::string::npos);
  const std::size_t first = html.find("<tr class=\"top1\">");
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(first, html.find("<tr class=\"top2\">"));
  const json layout = layoutAt(html, 1920, 1080, dir_);
  const std::vector<int> places = rowsPerPage(layout, "final");
  ASSERT_FALSE(places.empty()) << layout;
  EXPECT_GE(places.front(), 20) << layout;
}

}  // namespace
}  // namespace toq
