#pragma once
// Small tournaments built in code for the tests.

#include <filesystem>
#include <memory>
#include <string>

#include "data/register.h"
#include "data/table.h"
#include "pairing/context.h"
#include "support/recording_services.h"

namespace toq::testing {

/// A register, a table and what a pairing run needs, on the heap (the table is large).
struct Tournament {
  data::Register players;
  data::Table table;
  pairing::PairingOptions options;
  pairing::Random random;
  services::RecordingServices ui;

  pairing::PairingContext context() { return {table, players, options, random, ui}; }

  /// Registers a player (ASCII name) and returns the number.
  int addPlayer(const std::string& name, int rating = 1600, int entries = 1,
                bool professional = false, bool woman = false);
  /// Registers a player and gives it `entries` rows of the table; returns the number.
  int addParticipant(const std::string& name, int rating = 1600, int entries = 1,
                     bool professional = false, bool woman = false);
  /// Sets the result of a game from row a's side (kWin, kLoss, kDraw) in both rows.
  void setResult(int round, int a, std::int16_t resultOfA);
  /// Pairs a and b in a round with a result for a.
  void play(int round, int a, int b, std::int16_t resultOfA);
};

std::unique_ptr<Tournament> makeTournament(int games = 9);

/// Reads a whole file as bytes.
std::string readFile(const std::filesystem::path& path);
/// A fresh empty folder under the system temp folder, unique per call.
std::string makeTempDir();

}  // namespace toq::testing
