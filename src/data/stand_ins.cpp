#include "data/stand_ins.h"

#include <algorithm>
#include <array>
#include <utility>

namespace toq::data {

namespace {

// The pairs, each with where it comes from.
constexpr std::array<std::pair<std::string_view, std::string_view>, 19> kStandIns = {{
    // Variants outside JIS X 0208/0213 that family registers and name lists print with the
    // common form (Unihan lists each as a variant of it): つちよし, 土 with a dot, 橋 and 脇
    // of place and family names.
    {"𠮷", "吉"},
    {"𡈽", "土"},
    {"𣘺", "橋"},
    {"𦚰", "脇"},
    // Forms of JIS X 0213 whose JIS X 0208 form is the one Shift-JIS holds (森鷗外 → 森鴎外).
    {"鷗", "鴎"},
    {"頰", "頬"},
    {"塡", "填"},
    {"禱", "祷"},
    {"蠟", "蝋"},
    // The ten characters JIS X 0213:2004 added for the 2000 list of forms for printing
    // (表外漢字字体表), each beside the JIS X 0208 form that stood for it before.
    {"俱", "倶"},
    {"剝", "剥"},
    {"𠮟", "叱"},
    {"吞", "呑"},
    {"噓", "嘘"},
    {"姸", "妍"},
    {"屛", "屏"},
    {"幷", "并"},
    {"瘦", "痩"},
    {"繫", "繋"},
}};

}  // namespace

std::string withStandIns(std::string_view utf8, std::vector<StandIn>* made) {
  std::string out(utf8);
  for (const auto& [original, standIn] : kStandIns) {
    bool found = false;
    for (std::size_t at; (at = out.find(original)) != std::string::npos; found = true)
      out.replace(at, original.size(), standIn);
    if (found && made) made->push_back({std::string(original), std::string(standIn)});
  }
  return out;
}

}  // namespace toq::data
