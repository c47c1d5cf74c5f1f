#pragma once
// The program's per-user settings: the sections "TOQ", "Option", "View", "Font" and
// "Window size" with their values and defaults, and the recent-file list. On Windows they live
// in the registry under Software\Tamsorel\TOQ, on Linux in ~/.config/Tamsorel/TOQ.conf.

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

namespace toq::ui {

/// The list font as stored: face, signed logical height, weight, italic flag.
struct ListFont {
  QString face;
  int height = 0;
  int weight = 0;
  int italic = 0;
  bool operator==(const ListFont&) const = default;
};

/// The main window's stored placement.
struct StoredPlacement {
  QString rect;  ///< "%04d %04d %04d %04d": left, top, right, bottom; empty when never saved
  int icon = 0;  ///< 1 when the window was minimised
  int max = 0;   ///< 1 when it was (or would be restored) maximised
};

/// Reader and writer of every stored value. Constructed on the user's own settings, or on a
/// given file for the tests.
class AppSettings {
 public:
  /// QSettings("Tamsorel", "TOQ").
  AppSettings();
  /// An INI file (the tests).
  explicit AppSettings(const QString& iniFile);

  QString playerFile() const;
  void setPlayerFile(const QString& name);
  QString tableFile() const;
  void setTableFile(const QString& name);
  int allowSixPieceHandicaps(int held) const;
  void setAllowSixPieceHandicaps(int value);
  int play2(int held) const;
  void setPlay2(int value);
  /// "同じ所属どうしを避ける": the rounds it covers, 0 off (the default).
  int avoidAffiliationRounds() const;
  void setAvoidAffiliationRounds(int rounds);

  int viewList() const;
  int viewDecideSides() const;
  int viewDeriveHandicaps() const;
  void setView(int list, int decideSides, int deriveHandicaps);

  /// The list font; with an empty face the other three values are not read.
  ListFont listFont(const ListFont& held) const;
  void setListFont(const ListFont& font);

  StoredPlacement placement() const;
  void setPlacement(const StoredPlacement& placement);

  /// The toolbar's and status bar's state, saved with the placement ("Bar state").
  QByteArray barState() const;
  bool statusBarVisible() const;
  void setBarState(const QByteArray& state, bool statusBarVisible);

  /// The recent-file list, newest first, at most four entries.
  QStringList recentFiles() const;
  void setRecentFiles(const QStringList& files);

  void sync() { settings_->sync(); }
  QSettings& raw() { return *settings_; }

 private:
  std::unique_ptr<QSettings> settings_;
};

/// Puts a file first in a recent-file list, keeping at most four entries.
QStringList withRecentFile(QStringList files, const QString& file);

}  // namespace toq::ui
