#include "data/grades.h"

#include <algorithm>
#include <array>

#include "data/width_fold.h"
#include "text/format.h"

namespace toq::data {

namespace {

constexpr std::string_view kAmateur = "アマ";
constexpr std::string_view kDan = "段";
constexpr std::string_view kKyu = "級";
constexpr std::string_view kFirst = "初";
// Kanji numerals 1..10 as grades are written.
constexpr std::array<std::string_view, 10> kKanjiDigits = {"一", "二", "三", "四", "五",
                                                           "六", "七", "八", "九", "十"};
constexpr int kFirstDanRating = 1500;
constexpr int kRatingStep = 100;
constexpr int kLowestRating = 100;
constexpr int kHighestGrade = 20;

// 1..20 written in ASCII digits or kanji numerals (十, 十一…); none otherwise.
std::optional<int> gradeNumber(std::string_view s) {
  if (s == kFirst) return 1;
  if (std::optional<int> n = cellNumber(s))
    return *n >= 1 && *n <= kHighestGrade ? n : std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < s.size();) {
    bool found = false;
    for (std::size_t d = 0; d < kKanjiDigits.size() && !found; ++d)
      if (s.substr(i, kKanjiDigits[d].size()) == kKanjiDigits[d]) {
        value = d == 9 ? (value == 0 ? 10 : value * 10) : value + static_cast<int>(d) + 1;
        i += kKanjiDigits[d].size();
        found = true;
      }
    if (!found) return std::nullopt;
  }
  if (value < 1 || value > kHighestGrade) return std::nullopt;
  return value;
}

std::string kanjiNumber(int n) {
  if (n <= 10) return std::string(kKanjiDigits[static_cast<std::size_t>(n - 1)]);
  return std::string(kKanjiDigits[9]) + std::string(kKanjiDigits[static_cast<std::size_t>(n - 11)]);
}

// The number written last before `end` ("だいたい三" gives 3): the longest tail of the text
// that is a grade's number, from a character boundary.
std::optional<int> numberBefore(std::string_view s) {
  for (std::size_t start = 0; start < s.size(); ++start) {
    if ((static_cast<unsigned char>(s[start]) & 0xC0) == 0x80) continue;  // inside a character
    if (std::optional<int> n = gradeNumber(trimSpaces(s.substr(start)))) return n;
  }
  return std::nullopt;
}

// A grade's kind and number: +n for n dan, -n for n kyu; none for a text that is neither. A
// note around the grade ("二段くらい", "初段（自称）", "だいたい3級") is read past.
std::optional<int> gradeValue(std::string_view canonicalOrNot) {
  std::string folded = foldWidth(canonicalOrNot);
  std::string_view s = trimSpaces(folded);
  if (s.starts_with(kAmateur)) s = trimSpaces(s.substr(kAmateur.size()));
  const std::size_t danAt = s.find(kDan), kyuAt = s.find(kKyu);
  const std::size_t at = std::min(danAt, kyuAt);
  if (at == std::string_view::npos) return std::nullopt;
  const std::optional<int> n = numberBefore(s.substr(0, at));
  if (!n) return std::nullopt;
  return at == danAt ? *n : -*n;
}

}  // namespace

std::string canonicalGrade(std::string_view utf8) {
  const std::optional<int> v = gradeValue(utf8);
  if (!v) return std::string(trimSpaces(utf8));
  if (*v == 1) return std::string(kFirst) + std::string(kDan);
  if (*v > 0) return kanjiNumber(*v) + std::string(kDan);
  return text::format("%d", -*v) + std::string(kKyu);
}

std::optional<int> defaultGradeRating(std::string_view canonical) {
  const std::optional<int> v = gradeValue(canonical);
  if (!v) return std::nullopt;
  const int rating =
      *v > 0 ? kFirstDanRating + (*v - 1) * kRatingStep : kFirstDanRating + *v * kRatingStep;
  return rating < kLowestRating ? kLowestRating : rating;
}

std::optional<int> GradeTable::ratingOf(std::string_view grade) const {
  const std::string key = canonicalGrade(grade);
  if (auto it = given_.find(key); it != given_.end()) return it->second;
  return defaultGradeRating(key);
}

void GradeTable::set(std::string_view grade, int rating) {
  given_[canonicalGrade(grade)] = rating;
}

std::optional<std::pair<std::string, int>> parseGradeRating(std::string_view utf8) {
  const std::string folded = foldWidth(utf8);
  const std::size_t eq = folded.find('=');
  if (eq == std::string::npos) return std::nullopt;
  const std::string_view grade = trimSpaces(std::string_view(folded).substr(0, eq));
  const std::optional<int> rating = cellNumber(std::string_view(folded).substr(eq + 1));
  if (grade.empty() || !rating) return std::nullopt;
  return std::make_pair(canonicalGrade(grade), *rating);
}

}  // namespace toq::data
