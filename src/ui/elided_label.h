#pragma once
// A status bar's label that yields space: it asks for at most two fifths of its parent's width,
// shortens its text with "…" when it gets less, and shows the whole text as its tooltip. The
// message pane beside it is then never cut by it.

#include <QString>
#include <QWidget>

namespace toq::ui {

class ElidedLabel : public QWidget {
  Q_OBJECT

 public:
  explicit ElidedLabel(const QString& text, QWidget* parent = nullptr);

  QString text() const { return text_; }
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
};

}  // namespace toq::ui
