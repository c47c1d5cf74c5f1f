#include "server/history_api.h"

#include <charconv>
#include <nlohmann/json.hpp>

#include "server/replies.h"

namespace toq::server::history {

namespace {

constexpr char kBadLimit[] = "limit は 1 から 2000 までの数で指定してください。";
constexpr char kNoJournal[] = "この対戦表の履歴は記録されていません。";

nlohmann::ordered_json whoJson(const journal::Who& who) {
  nlohmann::ordered_json j;
  j["kind"] = std::string(journal::kindName(who.kind));
  if (who.round >= 0) j["round"] = who.round + 1;
  if (who.board >= 0) j["board"] = who.board + 1;
  if (!who.address.empty()) j["address"] = who.address;
  return j;
}

}  // namespace

std::string historyText(const std::vector<journal::StepInfo>& steps) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const journal::StepInfo& s : steps) {
    nlohmann::ordered_json j;
    j["step"] = s.step;
    j["time"] = s.time;
    j["who"] = whoJson(s.who);
    j["label"] = s.label;
    list.push_back(std::move(j));
  }
  nlohmann::ordered_json answer;
  answer["steps"] = std::move(list);
  // Labels come from the core's own texts and the register's names, UTF-8 already; a byte
  // that is not is replaced rather than refused.
  return answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::optional<std::size_t> parseLimit(std::string_view query, std::string& error) {
  if (query.empty()) return kDefaultLimit;
  constexpr std::string_view kKey = "limit=";
  std::size_t value = 0;
  const std::string_view digits = query.substr(std::min(kKey.size(), query.size()));
  const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (query.substr(0, kKey.size()) != kKey || ec != std::errc() ||
      end != digits.data() + digits.size() || value < 1 || value > kMaxLimit) {
    error = kBadLimit;
    return std::nullopt;
  }
  return value;
}

void getHistory(Hub& hub, const Request& request, Done done) {
  std::string error;
  const std::optional<std::size_t> limit = parseLimit(request.query, error);
  if (!limit) return done(errorReply(400, error));
  hub.onOwner(
      request.section,
      [limit = *limit](Hub&, edit::Workspace& ws) {
        const journal::Journal* j = ws.journal.journal.get();
        if (!j) return errorReply(404, kNoJournal);
        return jsonReply(200, historyText(j->steps({-1, -1, limit})));
      },
      std::move(done));
}

}  // namespace toq::server::history
