#include "support/builders.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace toq::testing {

int Tournament::addPlayer(const std::string& name, int rating, int entries, bool professional,
                          bool woman) {
  data::Player p;
  p.name = name;
  p.rating = rating;
  p.entries = entries;
  p.professional = professional ? 1 : 0;
  p.womanProfessional = woman ? 1 : 0;
  players.AddPlayer(p);
  return players.at(players.count()).number;
}

int Tournament::addParticipant(const std::string& name, int rating, int entries, bool professional,
                               bool woman) {
  int number = addPlayer(name, rating, entries, professional, woman);
  for (int i = 0; i < entries; ++i) table.AddParticipant(number, ui);
  return number;
}

void Tournament::setResult(int round, int a, std::int16_t resultOfA) {
  int b = table.opponent[a][round];
  table.result[a][round] = resultOfA;
  table.result[b][round] = data::oppositeResult(resultOfA);
}

void Tournament::play(int round, int a, int b, std::int16_t resultOfA) {
  table.setPair(round, a, b);
  setResult(round, a, resultOfA);
}

std::unique_ptr<Tournament> makeTournament(int games) {
  auto t = std::make_unique<Tournament>();
  t->table.numberOfGames = games;
  return t;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string makeTempDir() {
  static std::atomic<int> counter{0};
  auto dir = std::filesystem::temp_directory_path() /
             ("toq-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir.string();
}

}  // namespace toq::testing
