#include "ui/common/flow_layout.h"

#include <QWidget>
#include <algorithm>

namespace tarnvel {

FlowLayout::FlowLayout(QWidget* parent) : QLayout(parent) {
  setContentsMargins(0, 0, 0, 0);
}

FlowLayout::~FlowLayout() {
  while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::addItem(QLayoutItem* item) {
  items_.append(item);
}

QLayoutItem* FlowLayout::takeAt(int index) {
  return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int FlowLayout::heightForWidth(int width) const {
  return arrange(QRect(0, 0, width, 0), true);
}

QSize FlowLayout::minimumSize() const {
  QSize size;
  for (const QLayoutItem* item : items_) size = size.expandedTo(item->minimumSize());
  const QMargins m = contentsMargins();
  return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

// Asks no more than its widest item: the pane is as wide as the rest of it
// needs, and the buttons wrap to fit.
QSize FlowLayout::sizeHint() const {
  return minimumSize();
}

void FlowLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  arrange(rect, false);
}

int FlowLayout::arrange(const QRect& rect, bool measure) const {
  const QRect area = rect.marginsRemoved(contentsMargins());
  const int gap = std::max(spacing(), 0);
  int x = area.x();
  int y = area.y();
  int rowHeight = 0;
  for (QLayoutItem* item : items_) {
    if (item->isEmpty()) continue;
    const QSize size = item->sizeHint();
    if (x > area.x() && x + size.width() > area.right() + 1) {
      x = area.x();
      y += rowHeight + gap;
      rowHeight = 0;
    }
    if (!measure) item->setGeometry(QRect(QPoint(x, y), size));
    x += size.width() + gap;
    rowHeight = std::max(rowHeight, size.height());
  }
  const QMargins m = contentsMargins();
  return y + rowHeight - rect.y() + m.bottom();
}

void FlowInstead(QBoxLayout& column, QBoxLayout& row) {
  auto* flow = new FlowLayout;
  flow->setSpacing(row.spacing());
  while (QLayoutItem* item = row.takeAt(0)) {
    if (QWidget* widget = item->widget()) flow->addWidget(widget);
    delete item;
  }
  const int at = column.indexOf(&row);
  column.removeItem(&row);
  delete &row;
  column.insertLayout(at, flow);
}

}  // namespace tarnvel
