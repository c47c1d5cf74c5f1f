#include "ui/current_cell_delegate.h"

#include <QAbstractItemView>
#include <QPainter>

namespace toq::ui {

void CurrentCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
  QStyleOptionViewItem plain = option;
  plain.state &= ~QStyle::State_HasFocus;  // the frame below replaces the style's dotted one
  QStyledItemDelegate::paint(painter, plain, index);
  const auto* view = qobject_cast<const QAbstractItemView*>(parent());
  if (!view || view->currentIndex() != index) return;
  painter->save();
  QPen pen(option.palette
               .color(view->hasFocus() ? QPalette::Active : QPalette::Inactive, QPalette::Highlight)
               .darker(150));
  pen.setWidth(2);
  painter->setPen(pen);
  painter->setBrush(Qt::NoBrush);
  painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
  painter->restore();
}

}  // namespace toq::ui
