#pragma once
// The main view: the form with the mode radio buttons, the pairing button, the three check
// boxes and the legend, over the list that shows the tournament table or the player register.
// It owns the display state the commands read.

#include <QPoint>
#include <QWidget>
#include <vector>

#include "edit/workspace.h"
#include "services/services.h"
#include "ui/app_settings.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class QGroupBox;

namespace toq::ui {

class AffiliationOption;
class TableModel;

class MainView : public QWidget {
  Q_OBJECT

 public:
  MainView(edit::Workspace& ws, services::Services& ui, QWidget* parent = nullptr);

  /// The first update: reads the "View" values, applies the list font, fills the list in the
  /// stored mode and sets the controls.
  void firstUpdate(AppSettings& settings, const ListFont& font);
  /// Writes the "View" values (when the view goes).
  void saveViewState(AppSettings& settings) const;

  /// Fills the list in the current mode.
  void fill();
  void fillTable();
  void fillPlayers();
  /// Table mode only: fills the table again keeping the same lines in view, selected and
  /// current.
  void refreshTable();
  /// Player mode only: fills the players list again, keeping the lines as refreshTable does.
  void refreshPlayers();
  /// Enables the pairing button when the first round with unpaired rows has an even number of
  /// them; leaves it alone when every round is paired.
  void updatePairingButton();
  /// Table mode enables the lock box (set from the table) and applies the pairing-button rule;
  /// player mode disables both.
  void enableControlsForMode();

  bool tableMode() const { return tableMode_; }
  /// Switches the mode as the radio buttons do.
  void setTableMode(bool tableMode);
  /// Reads the check boxes into the workspace's options.
  void readOptions();

  /// The first selected line, -1 when none; the number of selected lines; all of them.
  int selectedRow() const;
  int selectedLineCount() const;
  std::vector<int> selectedLines() const;
  /// Line and column of the last right click, -1 until the first.
  int clickedLine() const { return clickedLine_; }
  int clickedColumn() const { return clickedColumn_; }
  void setClickedCell(int line, int column);
  /// Makes a cell of the list current (and its line the one selected), in view.
  void setCurrentCell(int line, int column);
  /// Table mode: the participant row and round of the current cell; false when it is no round
  /// cell of a participant.
  bool currentRoundCell(int& row, int& round) const;

  void applyListFont(const ListFont& font);
  ListFont listFont() const { return listFont_; }

  QTableView* list() const { return list_; }
  TableModel* model() const { return model_; }
  QPushButton* pairingButton() const { return pairButton_; }
  QCheckBox* lockBox() const { return lockBox_; }
  QCheckBox* decideSidesBox() const { return decideSidesBox_; }
  QCheckBox* deriveHandicapsBox() const { return deriveHandicapsBox_; }
  AffiliationOption* affiliationOption() const { return affiliationOption_; }
  QRadioButton* tableRadio() const { return tableRadio_; }
  QRadioButton* playerRadio() const { return playerRadio_; }
  /// The hint over an empty list (hidden when the list has lines).
  QLabel* emptyListHint() const { return emptyHint_; }

 signals:
  /// The pairing button was pressed.
  void pairRequested();
  /// Right click on the list, after the clicked cell was recorded.
  void contextMenuRequested(const QPoint& globalPos);
  /// The mode changed (the window sets its document path name).
  void modeChanged(bool tableMode);
  /// The selection of the list changed.
  void selectionChanged();
  /// The lock check box was switched by the user.
  void lockToggled(bool locked);
  /// A result key was pressed on the round cell of a participant (table mode).
  void resultKeyPressed(int row, int round, int result);
  /// The current cell became a round cell of a participant, or stopped being one.
  void roundCellCurrent(bool onRoundCell);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildForm();
  void buildControls();
  void buildList();
  void connectControls();
  void connectList();
  void layOutList();
  void applyGrid(const std::vector<int>& widths);
  void reportMissingPlayers();
  void refill(void (MainView::*fillMode)());
  /// Records the cell at a point of the list's viewport and asks for the context menu there.
  void requestContextMenu(const QPoint& viewportPos);
  /// A key on the list: true when it entered (or tried to enter) a result.
  bool resultKey(const QKeyEvent& key);
  void reportCurrentCell();
  /// Shows the empty list's hint, or hides it when the list has lines.
  void showEmptyHint();
  void placeEmptyHint();
  /// Enables or greys the pairing button; a grey one says why in its tooltip.
  void setPairingButton(bool enabled, const QString& reason);

  edit::Workspace& ws_;
  services::Services& ui_;
  bool tableMode_ = true;
  bool laidOut_ = false;
  bool filling_ = false;
  int clickedLine_ = -1;
  int clickedColumn_ = -1;
  std::vector<int> tableWidths_;
  ListFont listFont_;

  QTableView* list_ = nullptr;
  TableModel* model_ = nullptr;
  QGroupBox* modeGroup_ = nullptr;
  QRadioButton* tableRadio_ = nullptr;
  QRadioButton* playerRadio_ = nullptr;
  QPushButton* pairButton_ = nullptr;
  QCheckBox* lockBox_ = nullptr;
  QCheckBox* decideSidesBox_ = nullptr;
  QCheckBox* deriveHandicapsBox_ = nullptr;
  AffiliationOption* affiliationOption_ = nullptr;
  QLabel* legend_ = nullptr;
  QLabel* emptyHint_ = nullptr;  ///< over an empty list: how to go on
};

}  // namespace toq::ui
