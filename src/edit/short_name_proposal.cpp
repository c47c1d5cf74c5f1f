#include "edit/short_name_proposal.h"

#include "data/short_names.h"
#include "text/cp932.h"
#include "text/format.h"

namespace toq::edit {

namespace {

constexpr const char* kGiven =
    "省略名が同じにならないよう、%sとしました（対局者データで変えられます）。";
constexpr const char* kOne = "%s を「%s」";
constexpr std::string_view kSeparator = "、";

}  // namespace

bool proposeShortNames(Workspace& ws, services::Services& ui, std::span<const int> numbers) {
  const std::vector<data::ShortNameChange> changes = data::distinctShortNames(ws.players, numbers);
  if (changes.empty()) return false;
  std::string list;
  for (const data::ShortNameChange& c : changes) {
    if (!list.empty()) list += kSeparator;
    list += text::format(kOne, text::toUtf8(c.name).c_str(), text::toUtf8(c.given).c_str());
  }
  ui.informationBox(text::format(kGiven, list.c_str()));
  return true;
}

}  // namespace toq::edit
