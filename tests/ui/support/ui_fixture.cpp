#include "ui/support/ui_fixture.h"

#include <QFile>

#include "data/name_list.h"
#include "data/player_file.h"
#include "data/table_file.h"
#include "edit/workspace.h"
#include "ui/qt_text.h"

namespace toq::testing {

std::filesystem::path UiSandbox::path(const QString& name) const {
  return ui::toPath(dir.filePath(name));
}

std::unique_ptr<ui::Application> UiSandbox::makeApp() {
  ui::Application::Places places;
  places.settingsFile = settingsFile();
  places.instanceFolder = instanceFolder();
  places.ui = &ui;
  // The desk secrets of the served tables go to the sandbox, never the user's folder.
  qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
  qputenv("APPDATA", dir.filePath(QStringLiteral("config")).toUtf8());
  return std::make_unique<ui::Application>(places);
}

std::filesystem::path UiSandbox::importSample(const QString& name) {
  const QString list = dir.filePath(name + ".txt");
  QFile::remove(list);
  QFile::copy(QString::fromUtf8(TOQ_SOURCE_DIR "/resources/sample-names.txt"), list);
  auto ws = std::make_unique<edit::Workspace>();
  data::ImportNameList(ws->players, ws->table, path(name + ".txt"), ws->playerFile, ui);
  return path(name + ".tai");
}

}  // namespace toq::testing
