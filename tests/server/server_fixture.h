#pragma once
// A served table for the server's tests: a workspace built in code and written to a temporary
// folder, its owner thread, and the server on a free loopback port with a known key.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/workspace.h"
#include "server/http_client.h"
#include "server/queue_executor.h"
#include "server/server.h"
#include "support/builders.h"
#include "support/recording_services.h"

namespace toq::testing {

/// The organiser's key of every test server.
inline const std::string kTestKey = "00112233445566778899aabbccddeeff";
/// The desk secret of every test server's table, the same at every start.
inline const std::string kTestDeskSecret = "desk secret of the test table";

/// Points the desk secrets' folder (server/desk_secret.h) at `folder`, for this process and
/// the toq-cli it starts.
inline void keepDeskSecretsIn(const std::filesystem::path& folder) {
#ifdef _WIN32
  ::_putenv_s("APPDATA", folder.string().c_str());
#else
  ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
#endif
}

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = makeTempDir();
    // The desk secrets that toq-cli keeps go to the test's folder, never the user's.
    keepDeskSecretsIn(std::filesystem::path(dir_) / "config");
    ws_ = std::make_unique<edit::Workspace>();
    ws_->table.numberOfGames = 5;
    ws_->table.SetTableFile(tablePath());
    ws_->playerFile = std::filesystem::path(dir_) / "cup.ply";
  }
  void TearDown() override {
    stopServer();
    std::filesystem::remove_all(dir_);
  }

  std::filesystem::path tablePath() const { return std::filesystem::path(dir_) / "cup.tai"; }

  /// Registers a player with `rows` table rows; returns the number.
  int add(const std::string& name, int rating = 1600, int rows = 1, bool professional = false,
          bool woman = false) {
    data::Player p;
    p.name = name;
    p.rating = rating;
    p.entries = rows;
    p.professional = professional ? 1 : 0;
    p.womanProfessional = woman ? 1 : 0;
    ws_->players.AddPlayer(p);
    const int number = ws_->players.at(ws_->players.count()).number;
    for (int i = 0; i < rows; ++i) ws_->table.AddParticipant(number, quiet_);
    return number;
  }
  /// Pairs two rows in a round with a result for `a`.
  void play(int round, int a, int b, std::int16_t resultOfA = data::kResultNone) {
    data::Table& t = ws_->table;
    t.setPair(round, a, b);
    t.result[a][round] = resultOfA;
    t.result[b][round] = resultOfA == data::kWin    ? data::kLoss
                         : resultOfA == data::kLoss ? data::kWin
                                                    : resultOfA;
  }
  /// Writes the player file and the table file.
  void save() {
    ASSERT_EQ(data::WritePlayerFile(ws_->players, ws_->playerFile), 0);
    ASSERT_EQ(data::WriteTableFile(ws_->table, {}, quiet_), 0);
  }

  /// Saves, then serves the workspace from an owner thread of its own.
  void serve(bool resultDesk = false) {
    save();
    owner_ = std::make_unique<server::QueueExecutor>(*ws_);
    server::Hooks hooks;
    hooks.accessLog = [this](std::string_view line) {
      std::lock_guard lock(logMutex_);
      log_.emplace_back(line);
    };
    hooks.changedFromNetwork = [this](const server::NetworkChange&) { ++networkChanges_; };
    server_ = std::make_unique<server::Server>(*owner_, hooks);
    server::Options options;
    options.port = 0;
    options.resultDesk = resultDesk;
    options.key = kTestKey;
    options.openDesk = openDesk_;
    options.deskSecrets = {kTestDeskSecret};
    std::string error;
    ASSERT_TRUE(server_->start(options, &error)) << error;
    port_ = server_->port();
  }
  void stopServer() {
    if (server_) server_->stop();
    if (owner_) owner_->stop();
  }

  HttpAnswer get(const std::string& target) {
    return sendRequest(port_, requestBytes("GET", target));
  }
  /// A POST with a JSON body, with the organiser's key unless `key` says otherwise.
  HttpAnswer post(const std::string& target, const std::string& body,
                  const std::string& key = kTestKey) {
    std::vector<std::string> headers = {"Content-Type: application/json"};
    if (!key.empty()) headers.push_back("Authorization: Bearer " + key);
    return sendRequest(port_, requestBytes("POST", target, headers, body));
  }
  /// {"round":K,"row":R,"result":word}.
  static std::string resultBody(int round, int row, const std::string& word) {
    return nlohmann::json{{"round", round}, {"row", row}, {"result", word}}.dump();
  }

  std::string tableBytes() const { return readFile(tablePath()); }
  static void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }
  std::vector<std::string> logLines() {
    std::lock_guard lock(logMutex_);
    return log_;
  }

  std::string dir_;
  std::unique_ptr<edit::Workspace> ws_;
  services::RecordingServices quiet_;
  std::unique_ptr<server::QueueExecutor> owner_;
  std::unique_ptr<server::Server> server_;
  unsigned short port_ = 0;
  std::atomic<int> networkChanges_{0};
  /// The desk takes results without a slip's code.
  bool openDesk_ = false;
  std::mutex logMutex_;
  std::vector<std::string> log_;
};

}  // namespace toq::testing
