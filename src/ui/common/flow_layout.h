// A row of buttons that wraps onto more rows when its pane is narrowed, so
// that a pane of buttons over a table can give its width to what is beside
// it: it needs only its widest button's width.
#pragma once

#include <QBoxLayout>
#include <QLayout>
#include <QList>

namespace tarnvel {

class FlowLayout : public QLayout {
 public:
  explicit FlowLayout(QWidget* parent = nullptr);
  ~FlowLayout() override;

  void addItem(QLayoutItem* item) override;
  int count() const override { return static_cast<int>(items_.size()); }
  QLayoutItem* itemAt(int index) const override { return items_.value(index); }
  QLayoutItem* takeAt(int index) override;
  Qt::Orientations expandingDirections() const override { return {}; }
  bool hasHeightForWidth() const override { return true; }
  int heightForWidth(int width) const override;
  QSize minimumSize() const override;
  QSize sizeHint() const override;
  void setGeometry(const QRect& rect) override;

 private:
  // Lays the items out in `rect` (moving them unless `measure`), and says
  // the height they take.
  int arrange(const QRect& rect, bool measure) const;

  QList<QLayoutItem*> items_;
};

// Puts the items of `row`, a row of buttons within `column`, into a flow
// layout in its place, in their order.
void FlowInstead(QBoxLayout& column, QBoxLayout& row);

}  // namespace tarnvel
