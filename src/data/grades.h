#pragma once
// Grades (段級) as entry forms give them, and the ratings they stand for: "初段", "三段",
// "5級", "アマ四段" and their full-width or kanji spellings all name one grade, and each grade
// has one rating, a default one or one the organiser gave.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace toq::data {

/// The grade's one spelling (UTF-8): "初段", "二段"… for dan, "1級", "2級"… for kyu; a text that
/// names no grade is returned trimmed, as written.
std::string canonicalGrade(std::string_view utf8);

/// The rating a grade stands for unless told otherwise: 初段 1500, each dan 100 more, each kyu
/// 100 less than 初段 (at least 100); none for a text that names no grade.
std::optional<int> defaultGradeRating(std::string_view canonical);

/// Ratings of grades: those given by the organiser, else the defaults.
class GradeTable {
 public:
  /// The rating of a grade (any spelling); none when neither given nor known.
  std::optional<int> ratingOf(std::string_view grade) const;
  /// Gives a grade (any spelling) its rating.
  void set(std::string_view grade, int rating);
  /// The ratings given, by canonical grade.
  const std::map<std::string, int>& given() const { return given_; }

 private:
  std::map<std::string, int> given_;
};

/// "初段=1500" (full-width digits and spaces accepted): the grade and its rating; none when
/// the text has no "=" or no whole number after it.
std::optional<std::pair<std::string, int>> parseGradeRating(std::string_view utf8);

}  // namespace toq::data
