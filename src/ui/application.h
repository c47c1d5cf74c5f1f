#pragma once
// The program from start to exit: the instance slot, the remembered files and options, the
// main window, and what is written back when it closes.

#include <QObject>
#include <QString>
#include <filesystem>
#include <memory>

#include "edit/workspace.h"
#include "services/services.h"
#include "ui/app_settings.h"
#include "ui/instance_slots.h"
#include "view/commands.h"

namespace toq::ui {

class Commands;
class MainWindow;
class QtServices;

class Application : public QObject {
  Q_OBJECT

 public:
  /// Where the program keeps things; the tests point every one of them at scratch places.
  struct Places {
    QString settingsFile;      ///< an INI file instead of the user's own settings
    QString instanceFolder;    ///< where the instance slots live
    services::Services* ui{};  ///< services to use instead of the window's message boxes
  };

  Application();
  explicit Application(Places places);
  ~Application() override;

  /// Start-up: instance slot, settings, the remembered player and table files, the window and
  /// its first fill, the options; `file` (from the command line) is opened when given. Shows
  /// the window unless `show` is false.
  void start(const QString& file = {}, bool show = true);
  /// Exit: unsaved changes bring the question whether to save them (キャンセル, or a save
  /// that fails, keeps the program running); then the view's values, the window placement,
  /// the remembered files and the six-piece option are written and the window closes.
  void exit();

  edit::Workspace& workspace() { return *ws_; }
  services::Services& services() { return *ui_; }
  AppSettings& settings() { return *settings_; }
  MainWindow* window() const { return window_.get(); }
  Commands* commands() const { return commands_; }
  int instanceSlot() const { return slot_; }
  bool finished() const { return finished_; }

 signals:
  void exited();

 private:
  void loadRememberedFiles();
  /// After every command: the first change that has no file to go to asks for the event's
  /// file; the status bar says whether changes are unsaved.
  void afterCommand(view::Command command);

  std::unique_ptr<edit::Workspace> ws_;
  std::unique_ptr<AppSettings> settings_;
  std::unique_ptr<QtServices> qtServices_;
  services::Services* ui_ = nullptr;
  InstanceSlots slots_;
  int slot_ = 0;
  ListFont listFont_;
  std::unique_ptr<MainWindow> window_;
  Commands* commands_ = nullptr;
  // The event's file was asked for since the last time everything had a file to go to.
  bool askedForEventFile_ = false;
  bool finished_ = false;
};

}  // namespace toq::ui
