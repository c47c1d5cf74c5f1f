#include "server/desk_codes.h"

#include "server/answers.h"
#include "server/hmac.h"
#include "server/organiser_key.h"

namespace toq::server {

std::string slipCode(std::string_view secret, int round, const api::Board& board) {
  std::string message = "slip\n" + std::to_string(round) + "\n" + std::to_string(board.board);
  for (const api::BoardPlayer& p : board.players)
    message += "\n" + std::to_string(p.row) + ":" + std::to_string(p.player);
  const auto mac = hmacSha256(secret, message);
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < 8; ++i) value = value << 8 | mac[i];
  std::string code;
  for (std::size_t i = 0; i < kCodeLength; ++i) {
    code += kCodeAlphabet[value % kCodeAlphabet.size()];
    value /= kCodeAlphabet.size();
  }
  return code;
}

std::string typedCode(std::string_view typed) {
  std::string code;
  for (char c : typed) {
    if (c == ' ' || c == '-') continue;
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (kCodeAlphabet.find(c) == std::string_view::npos) return {};
    code += c;
  }
  return code.size() == kCodeLength ? code : std::string();
}

std::vector<Slip> slipsOf(const edit::Workspace& ws, std::string_view secret,
                          std::optional<int> round) {
  const api::Pairings p = pairingsOf(ws, round);
  std::vector<Slip> slips;
  if (!p.round) return slips;
  for (const api::Board& b : p.boards)
    slips.push_back({*p.round, b, slipCode(secret, *p.round, b)});
  return slips;
}

std::optional<Slip> findSlip(const edit::Workspace& ws, std::string_view secret,
                             std::string_view code) {
  std::optional<Slip> found;
  if (code.size() != kCodeLength || secret.empty()) return found;
  for (Slip& s : slipsOf(ws, secret, std::nullopt))
    if (sameKey(code, s.code) && !found) found = std::move(s);
  return found;
}

}  // namespace toq::server
