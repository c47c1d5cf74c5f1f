#include "data/register.h"

#include "text/cp932.h"
#include "text/format.h"

namespace toq::data {

const char* const kClassNames[11] = {
    "（未設定）", "名人",         "Ａ級", "Ｂ級１組",         "Ｂ級２組", "Ｃ級１組",
    "Ｃ級２組",   "フリークラス", "三段", "引退・物故・退会", "その他"};

const Player* Register::FindPlayer(int number) const {
  for (const auto& p : players_)
    if (p.number == number) return &p;
  return nullptr;
}

int Register::positionOf(int number) const {
  for (std::size_t i = 0; i < players_.size(); ++i)
    if (players_[i].number == number) return static_cast<int>(i) + 1;
  return 0;
}

std::string Register::IndexToName(int number, services::Services& ui) const {
  if (const Player* p = FindPlayer(number)) return p->name;
  ui.errorBox(text::format("IndexToName error index=%d kishi_suu=%d", number, count()));
  return {};
}

std::string Register::IndexToShortName(int number, services::Services& ui) const {
  const Player* p = FindPlayer(number);
  if (!p) {
    ui.errorBox(text::format("IndexToOmitName error index=%d kishi_suu=%d", number, count()));
    return {};
  }
  if (!p->shortName.empty()) return p->shortName;
  return std::string(text::firstWord(p->name));
}

int Register::NextFreeNumber() const {
  // Only numbers up to count()+1 can be the answer, so one pass with a mark per number does.
  std::vector<bool> used(players_.size() + 2, false);
  for (const auto& p : players_)
    if (p.number > 0 && static_cast<std::size_t>(p.number) < used.size()) used[p.number] = true;
  int n = 1;
  while (used[static_cast<std::size_t>(n)]) ++n;
  return n;
}

int Register::AddPlayer(Player player) {
  if (count() >= kMaxPlayers) return -2;
  if (player.number <= 0) player.number = players_.empty() ? 1 : NextFreeNumber();
  players_.push_back(std::move(player));
  return 0;
}

void Register::RemovePlayer(int position) {
  if (position < 1 || position > count()) return;
  players_.erase(players_.begin() + (position - 1));
}

bool Register::SameNameExists(std::string_view name, int skipPosition) const {
  const std::string squeezed = SqueezeName(name);
  for (int pos = 1; pos <= count(); ++pos)
    if (pos != skipPosition && SqueezeName(at(pos).name) == squeezed) return true;
  return false;
}

std::string SqueezeName(std::string_view text) {
  return text::squeeze(text);
}

std::string affiliationKey(std::string_view text) {
  static const std::string kWideSpace = text::sj("　");
  // Walk by characters, so that a trail byte never passes for the start of a space.
  std::size_t first = std::string_view::npos;
  std::size_t end = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = text::charLengthAt(text, pos);
    const std::string_view c = text.substr(pos, length);
    pos += length;
    if (c == " " || c == kWideSpace) continue;
    if (first == std::string_view::npos) first = pos - length;
    end = pos;
  }
  return first == std::string_view::npos ? std::string()
                                         : std::string(text.substr(first, end - first));
}

void MarkWomanProfessional(Player& player) {
  static const std::string kWoman = text::sj("女流");
  if (text::containsAtBoundary(player.name, kWoman)) player.womanProfessional = 1;
}

}  // namespace toq::data
