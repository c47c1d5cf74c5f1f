#include "ui/grade_settings.h"

#include <QSettings>

#include "ui/qt_text.h"

namespace toq::ui {

namespace {
const QString kGroup = QStringLiteral("Grades");
}  // namespace

data::GradeTable storedGrades(AppSettings& settings) {
  data::GradeTable grades;
  QSettings& s = settings.raw();
  s.beginGroup(kGroup);
  for (const QString& key : s.childKeys()) {
    bool ok = false;
    const int rating = s.value(key).toInt(&ok);
    if (ok) grades.set(toUtf8(key), rating);
  }
  s.endGroup();
  return grades;
}

void storeGrades(AppSettings& settings, const data::GradeTable& grades) {
  QSettings& s = settings.raw();
  s.beginGroup(kGroup);
  for (const auto& [grade, rating] : grades.given()) s.setValue(fromUtf8(grade), rating);
  s.endGroup();
}

}  // namespace toq::ui
