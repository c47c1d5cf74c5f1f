#pragma once
// Scratch places for the desktop program's tests: a settings file, an instance-slot folder and
// a folder for tables, never the user's own; services that record instead of showing boxes.

#include <QString>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "support/recording_services.h"
#include "ui/application.h"

namespace toq::testing {

struct UiSandbox {
  QTemporaryDir dir;
  services::RecordingServices ui;

  QString settingsFile() const { return dir.filePath("settings/TOQ.ini"); }
  QString instanceFolder() const { return dir.filePath("instances"); }
  std::filesystem::path path(const QString& name) const;

  /// An application on the sandbox's places and recording services.
  std::unique_ptr<ui::Application> makeApp();
  /// Copies the sample name list into the sandbox and imports it: NAME.tai and NAME.ply.
  std::filesystem::path importSample(const QString& name = "event");
};

}  // namespace toq::testing
