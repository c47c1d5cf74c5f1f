#include "ui/app_settings.h"

#include <algorithm>

namespace toq::ui {

namespace {

constexpr int kRecentFiles = 4;

int intValue(const QSettings& s, const QString& key, int fallback) {
  bool ok = false;
  const int value = s.value(key).toInt(&ok);
  return ok ? value : fallback;
}

}  // namespace

AppSettings::AppSettings() : settings_(std::make_unique<QSettings>("Tamsorel", "TOQ")) {}

AppSettings::AppSettings(const QString& iniFile)
    : settings_(std::make_unique<QSettings>(iniFile, QSettings::IniFormat)) {}

QString AppSettings::playerFile() const {
  return settings_->value("TOQ/entry_file_name").toString();
}
void AppSettings::setPlayerFile(const QString& name) {
  settings_->setValue("TOQ/entry_file_name", name);
}
QString AppSettings::tableFile() const {
  return settings_->value("TOQ/taisen_file_name").toString();
}
void AppSettings::setTableFile(const QString& name) {
  settings_->setValue("TOQ/taisen_file_name", name);
}
int AppSettings::allowSixPieceHandicaps(int held) const {
  return intValue(*settings_, "TOQ/Rokumaioti", held);
}
void AppSettings::setAllowSixPieceHandicaps(int value) {
  settings_->setValue("TOQ/Rokumaioti", value);
}
int AppSettings::play2(int held) const {
  return intValue(*settings_, "Option/play2", held);
}
void AppSettings::setPlay2(int value) {
  settings_->setValue("Option/play2", value);
}

int AppSettings::avoidAffiliationRounds() const {
  return std::max(0, intValue(*settings_, "Option/avoid_affiliation", 0));
}
void AppSettings::setAvoidAffiliationRounds(int rounds) {
  settings_->setValue("Option/avoid_affiliation", rounds);
}

int AppSettings::viewList() const {
  return intValue(*settings_, "View/List", 0);
}
int AppSettings::viewDecideSides() const {
  return intValue(*settings_, "View/Sengo", 1);
}
int AppSettings::viewDeriveHandicaps() const {
  return intValue(*settings_, "View/Komaoti", 0);
}
void AppSettings::setView(int list, int decideSides, int deriveHandicaps) {
  settings_->setValue("View/List", list);
  settings_->setValue("View/Sengo", decideSides);
  settings_->setValue("View/Komaoti", deriveHandicaps);
}

ListFont AppSettings::listFont(const ListFont& held) const {
  ListFont font = held;
  const QString face = settings_->value("Font/list_font_name").toString();
  if (face.isEmpty()) return font;
  font.face = face;
  font.height = intValue(*settings_, "Font/list_font_point", held.height);
  font.weight = intValue(*settings_, "Font/list_font_weight", held.weight);
  font.italic = intValue(*settings_, "Font/list_font_italic", held.italic);
  return font;
}

void AppSettings::setListFont(const ListFont& font) {
  settings_->setValue("Font/list_font_name", font.face);
  settings_->setValue("Font/list_font_point", font.height);
  settings_->setValue("Font/list_font_weight", font.weight);
  settings_->setValue("Font/list_font_italic", font.italic);
}

StoredPlacement AppSettings::placement() const {
  StoredPlacement p;
  p.rect = settings_->value("Window size/Rect").toString();
  p.icon = intValue(*settings_, "Window size/icon", 0);
  p.max = intValue(*settings_, "Window size/max", 0);
  return p;
}

void AppSettings::setPlacement(const StoredPlacement& placement) {
  settings_->setValue("Window size/Rect", placement.rect);
  settings_->setValue("Window size/icon", placement.icon);
  settings_->setValue("Window size/max", placement.max);
}

QByteArray AppSettings::barState() const {
  return settings_->value("Bar state/Toolbars").toByteArray();
}

bool AppSettings::statusBarVisible() const {
  return intValue(*settings_, "Bar state/StatusBar", 1) != 0;
}

void AppSettings::setBarState(const QByteArray& state, bool statusBarVisible) {
  settings_->setValue("Bar state/Toolbars", state);
  settings_->setValue("Bar state/StatusBar", statusBarVisible ? 1 : 0);
}

QStringList AppSettings::recentFiles() const {
  QStringList files;
  for (int i = 1; i <= kRecentFiles; ++i) {
    const QString file = settings_->value(QString("Recent File List/File%1").arg(i)).toString();
    if (!file.isEmpty()) files << file;
  }
  return files;
}

void AppSettings::setRecentFiles(const QStringList& files) {
  for (int i = 1; i <= kRecentFiles; ++i) {
    const QString key = QString("Recent File List/File%1").arg(i);
    if (i <= files.size())
      settings_->setValue(key, files[i - 1]);
    else
      settings_->remove(key);
  }
}

QStringList withRecentFile(QStringList files, const QString& file) {
  if (file.isEmpty()) return files;
  files.removeAll(file);
  files.prepend(file);
  while (files.size() > kRecentFiles) files.removeLast();
  return files;
}

}  // namespace toq::ui
