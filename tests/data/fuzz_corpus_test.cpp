// The seed files of the fuzz targets are whole files of the current formats: a seed the readers
// refuse would start every fuzzing run from nothing.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/file_parsers.h"
#include "support/builders.h"
#include "support/recording_services.h"

namespace fs = std::filesystem;

namespace toq {
namespace {

std::vector<fs::path> seeds(const std::string& target) {
  std::vector<fs::path> files;
  for (const auto& e : fs::directory_iterator(fs::path(TOQ_SOURCE_DIR) / "fuzz/corpus" / target))
    files.push_back(e.path());
  return files;
}

void expectTable(std::string_view text, const fs::path& seed) {
  auto table = std::make_unique<data::Table>();
  EXPECT_EQ(data::parseTableText(*table, text), data::TableTextResult::Ok) << seed;
  EXPECT_GT(table->participantCount, 0) << seed;
}

void expectPlayers(std::string_view text, const fs::path& seed) {
  data::Register players;
  EXPECT_EQ(data::parsePlayerText(players, text), 0) << seed;
  EXPECT_GT(players.count(), 0) << seed;
}

TEST(FuzzCorpus, EverySeedIsAWholeFile) {
  for (const fs::path& seed : seeds("fuzz_table_file"))
    expectTable(testing::readFile(seed.string()), seed);
  for (const fs::path& seed : seeds("fuzz_player_file"))
    expectPlayers(testing::readFile(seed.string()), seed);
  for (const fs::path& seed : seeds("fuzz_name_list")) {
    data::Register players;
    auto table = std::make_unique<data::Table>();
    services::RecordingServices ui;
    std::ostringstream out, err;
    data::parseNameListText(players, *table, testing::readFile(seed.string()), ui, out, err);
    EXPECT_GT(table->participantCount, 0) << seed;
    EXPECT_EQ(err.str(), "") << seed;
  }
  // A table file, a NUL byte, a player file, and perhaps a NUL byte and a switch byte.
  const auto pipeline = seeds("fuzz_pipeline");
  EXPECT_GE(pipeline.size(), 10u);
  for (const fs::path& seed : pipeline) {
    const std::string bytes = testing::readFile(seed.string());
    const std::size_t first = bytes.find('\0');
    ASSERT_NE(first, std::string::npos) << seed;
    const std::size_t second = bytes.find('\0', first + 1);
    expectTable(std::string_view(bytes).substr(0, first), seed);
    expectPlayers(std::string_view(bytes).substr(first + 1, second - first - 1), seed);
    if (second != std::string::npos) {
      EXPECT_EQ(bytes.size(), second + 2) << seed;
    }
  }
}

}  // namespace
}  // namespace toq
