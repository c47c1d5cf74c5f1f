#pragma once
// Nothing typed is lost in the window: the question for the event's file when what the program
// holds has no file to go to, the question before the program ends while changes are unsaved,
// and the status bar's note of them.

#include "edit/workspace.h"
#include "services/services.h"
#include "ui/app_settings.h"

namespace toq::ui {

class MainWindow;

/// The question at exit while changes are unsaved.
inline constexpr const char* kUnsavedAtExit = "保存されていない変更があります。保存しますか？";
/// The status bar's note while changes are unsaved.
inline constexpr const char* kNotSaved = "保存されていません";

/// The event's files are the remembered ones and its name is in the title.
void showEventFiles(MainWindow& window, const edit::Workspace& ws, AppSettings& settings);

/// Asks for the event's file ("新規対戦表" with the file alone) and writes what the program
/// holds there: true when written. キャンセル or a failed write keep everything in memory and
/// the status bar says that it is not saved.
bool nameEventFile(MainWindow& window, edit::Workspace& ws, services::Services& ui,
                   AppSettings& settings);

/// Before the program ends (or another table replaces what it holds): true when it may go on.
/// Unsaved changes bring the question kUnsavedAtExit: はい saves everything (asking for the event's
/// file when none is named; a save that fails keeps the program running), いいえ ends without
/// saving, キャンセル stays.
bool settleBeforeExit(MainWindow& window, edit::Workspace& ws, services::Services& ui,
                      AppSettings& settings);

}  // namespace toq::ui
