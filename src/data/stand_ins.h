#pragma once
// Characters of names that Shift-JIS (CP932) cannot hold but whose everyday stand-in it can:
// 𠮷 (つちよし) is printed 吉 on most lists, 鷗 as 鴎. An entry list's name with one is offered
// with the stand-in, and the change is said, instead of being refused.

#include <string>
#include <string_view>
#include <vector>

namespace toq::data {

/// One stand-in made in a text (UTF-8 characters).
struct StandIn {
  std::string original;
  std::string standIn;
};

/// The UTF-8 text with every character of the table replaced by its stand-in; `made` lists
/// each replacement once. Characters without a stand-in stay as they are.
std::string withStandIns(std::string_view utf8, std::vector<StandIn>* made);

}  // namespace toq::data
