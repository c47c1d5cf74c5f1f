#pragma once
// The ratings the organiser gave to grades in "申込一覧の取り込み", remembered for next time
// in the settings' section "Grades" (grade = rating).

#include "data/grades.h"
#include "ui/app_settings.h"

namespace toq::ui {

data::GradeTable storedGrades(AppSettings& settings);
void storeGrades(AppSettings& settings, const data::GradeTable& grades);

}  // namespace toq::ui
