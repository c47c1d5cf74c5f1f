#pragma once
// The platform's file dialogs of the menu "ファイル", each with its title, filters and
// default names: open a table, import a name list, save the table under a new name, save the
// CSV chart. Each answers the chosen file's native name, or an empty text on キャンセル.

#include <QString>

class QWidget;

namespace toq::ui {

/// "対戦表ファイルの読み込み": an existing table file.
QString chooseTableToOpen(QWidget* parent, const QString& folder);

/// "対局者ファイルを開く": an existing name list. `filter` (0 "対局者(*.txt)", 1 "すべての
/// ファイル(*.*)") is preselected and receives the filter chosen.
QString chooseNameList(QWidget* parent, const QString& folder, int& filter);

/// "名前を付けて保存": a name for the table, starting from `suggested`. The dialog does not ask
/// about an existing file; the command does.
QString chooseTableSaveName(QWidget* parent, const QString& suggested, const QString& folder);

/// "CSVファイルの保存": a name for the CSV chart, starting from `suggested`.
QString chooseCsvSaveName(QWidget* parent, const QString& suggested, const QString& folder);

}  // namespace toq::ui
