// The pages' script in a stand-in for a browser (tests/server/page_script_harness.js under
// node): a page whose event stream is refused still follows the changes, goes back to the
// stream, and says when updates have stopped.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>

#include "server/page_scripts.h"
#include "support/builders.h"
#include "support/command_output.h"

namespace toq {
namespace {

using nlohmann::json;

// The harness's report of what the page did.
json runPage(std::string_view script, const std::string& base = {}) {
  const std::filesystem::path dir = testing::makeTempDir();
  const std::filesystem::path file = dir / "page.js";
  std::ofstream(file, std::ios::binary) << script;
  const std::string command = "TOQ_BASE='" + base +
                              "' node " TOQ_SOURCE_DIR "/tests/server/page_script_harness.js " +
                              file.string() + " 2>&1";
  int status = 0;
  const std::string output = testing::commandOutput(command, &status);
  EXPECT_EQ(status, 0) << output;
  std::filesystem::remove_all(dir);
  const json report = json::parse(output, nullptr, false);
  EXPECT_FALSE(report.is_discarded()) << output;
  return report;
}

TEST(PageScript, ARefusedStreamFallsBackToAskingAndComesBack) {
  for (const auto& [name, script] : {std::pair{"live", server::scripts::live()},
                                     std::pair{"display", server::scripts::display()}}) {
    SCOPED_TRACE(name);
    const json r = runPage(script, name == std::string("display") ? "/t/2" : "");
    ASSERT_TRUE(r.contains("seen")) << r;
    const json& seen = r["seen"];
    ASSERT_EQ(seen.size(), 4u) << r;
    // A result entered while the stream was refused shows within a few seconds.
    EXPECT_EQ(seen[0]["version"], "1");
    EXPECT_EQ(seen[1]["version"], "2") << seen[1];
    EXPECT_GE(r["eventReads"].get<int>(), 1);
    EXPECT_GE(r["pageReads"].get<int>(), 1);
    // Once the server takes streams again, the page listens on one instead of asking.
    EXPECT_EQ(seen[2]["open"], 1) << seen[2];
    EXPECT_NE(seen[2]["note"].get<std::string>().find("自動で更新されます（"), std::string::npos);
    // After a minute without contact the note says that updates have stopped.
    EXPECT_EQ(seen[3]["note"], "更新が止まっています") << seen[3];
    // Every stream and every question goes to the page's own section.
    for (const json& url : r["base"])
      EXPECT_EQ(url, (name == std::string("display") ? "/t/2" : "") + std::string("/api/changes"));
  }
}

}  // namespace
}  // namespace toq
