#pragma once
// A status bar's label that yields space: it asks for at most a share of its parent's width
// (two fifths unless told), shortens its text with "…" when it gets less, and shows the whole
// text as its tooltip. The message pane beside it is then never cut by it.

#include <QString>
#include <QWidget>

namespace toq::ui {

/// The object name of the window's message pane, an ElidedLabel in its status bar.
inline constexpr const char* kStatusPaneName = "statusMessage";

class ElidedLabel : public QWidget {
  Q_OBJECT

 public:
  /// `percent`: the largest share of the parent's width the label asks for.
  explicit ElidedLabel(const QString& text, QWidget* parent = nullptr, int percent = 40);

  QString text() const { return text_; }
  void setText(const QString& text);
  /// The text as it is drawn at the current width.
  QString shownText() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  /// The parent's resize changes the share this label asks for.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString text_;
  int percent_ = 40;
};

}  // namespace toq::ui
