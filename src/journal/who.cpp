#include "journal/who.h"

#include <array>

namespace toq::journal {

namespace {

constexpr std::array<std::string_view, 6> kNames = {"window", "cli",       "organiser",
                                                    "desk",   "reception", "file"};
constexpr std::array<const char*, 6> kPeople = {"ウィンドウ", "toq-cli", "運営者のページ",
                                                "結果受付",   "受付",    "他のプログラム"};

}  // namespace

std::string_view kindName(WhoKind kind) {
  return kNames[static_cast<std::size_t>(kind)];
}

WhoKind kindNamed(std::string_view name) {
  for (std::size_t i = 0; i < kNames.size(); ++i)
    if (kNames[i] == name) return static_cast<WhoKind>(i);
  return WhoKind::Window;
}

std::string describe(const Who& who) {
  std::string out = kPeople[static_cast<std::size_t>(who.kind)];
  if (who.kind == WhoKind::Desk && who.round >= 0 && who.board >= 0)
    out += " " + std::to_string(who.round + 1) + "回戦 第" + std::to_string(who.board + 1) + "局";
  if (!who.address.empty()) out += " (" + who.address + ")";
  return out;
}

}  // namespace toq::journal
