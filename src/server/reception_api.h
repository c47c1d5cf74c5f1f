#pragma once
// The reception's JSON: the requests of the door's helpers and the answers (UTF-8), read and
// written with nlohmann/json beside their types.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json_fwd.hpp>

#include "edit/players.h"

namespace toq::server::reception {

/// POST /api/reception/arrivals {"player":N}
struct ArrivalRequest {
  int player = 0;
};
/// POST /api/reception/players {"name":"…","rating":N}: a walk-in; no rating gives 1600.
struct WalkInRequest {
  edit::PlayerForm form;
};

/// One player of GET /api/reception/players.
struct ListedPlayer {
  int player = 0;
  std::string name;
  std::string shortName;
  int rating = 0;
  bool participant = false;
};
/// The answer of GET /api/reception/players.
struct PlayerList {
  std::vector<ListedPlayer> players;
  std::string count;  ///< "受付済み 42人 / 申込 60人"
};
/// The answer of an arrival or a walk-in: the rows added (1-based) and the round they play
/// from.
struct Arrival {
  int player = 0;
  std::string name;
  int rating = 0;
  std::vector<int> rows;
  int fromRound = 1;
  std::string note;  ///< "3回戦から参加" for a late arrival, else empty
};

void from_json(const nlohmann::json& j, ArrivalRequest& r);
void from_json(const nlohmann::json& j, WalkInRequest& r);
void to_json(nlohmann::ordered_json& j, const ListedPlayer& a);
void to_json(nlohmann::ordered_json& j, const PlayerList& a);
void to_json(nlohmann::ordered_json& j, const Arrival& a);

/// The request of a body, or none with the reason in `error`.
std::optional<ArrivalRequest> parseArrival(std::string_view body, std::string& error);
std::optional<WalkInRequest> parseWalkIn(std::string_view body, std::string& error);
/// The text after "q=" in a query, percent-decoded (UTF-8); none for another parameter or
/// text that is not UTF-8.
std::optional<std::string> searchText(std::string_view query);

std::string text(const PlayerList& a);
std::string text(const Arrival& a);

}  // namespace toq::server::reception
