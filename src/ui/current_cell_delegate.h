#pragma once
// The list's cells as the style paints them, with a frame around the current cell so that the
// keyboard's place stays visible while whole lines are selected.

#include <QStyledItemDelegate>

namespace toq::ui {

class CurrentCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
};

}  // namespace toq::ui
