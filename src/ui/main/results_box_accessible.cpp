#include "ui/main/results_box_accessible.h"

#include <QAccessibleWidget>
#include <QScrollBar>
#include <algorithm>

#include "ui/main/results_box.h"

namespace tarnvel {

namespace {

class ResultsBoxAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit ResultsBoxAccessible(ResultsBox* box)
      : QAccessibleWidget(box, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.editable = true;
    s.multiLine = true;
    s.selectableText = true;
    return s;
  }

  QString text(QAccessible::Text t) const override {
    // The whole table can be tens of megabytes; the value a reader speaks
    // on focus is the caret's line, the rest goes through the text interface.
    if (t == QAccessible::Value) return box()->caretLineText();
    return QAccessibleWidget::text(t);
  }

  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || !box()->hasSelection()) return;
    *start = int(std::min(box()->cursorPosition(), box()->anchorPosition()));
    *end = int(std::max(box()->cursorPosition(), box()->anchorPosition()));
  }
  int selectionCount() const override { return box()->hasSelection() ? 1 : 0; }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int) override { box()->setCursorPosition(box()->cursorPosition()); }
  void setSelection(int, int start, int end) override {
    box()->setCursorPosition(start);
    box()->setCursorPosition(end, QTextCursor::KeepAnchor);
  }
  int cursorPosition() const override { return int(box()->cursorPosition()); }
  void setCursorPosition(int position) override { box()->setCursorPosition(position); }
  QString text(int start, int end) const override {
    const int size = int(box()->textLength());
    start = std::clamp(start, 0, size);
    end = std::clamp(end, start, size);
    return box()->textRange(start, end);
  }
  int characterCount() const override { return int(box()->textLength()); }
  QRect characterRect(int offset) const override {
    QRect r = box()->caretRect(offset);
    r.setWidth(box()->caretRect(offset + 1).left() - r.left());
    return QRect(box()->viewport()->mapToGlobal(r.topLeft()), r.size());
  }
  int offsetAtPoint(const QPoint& point) const override {
    return int(box()->positionAt(box()->viewport()->mapFromGlobal(point)));
  }
  void scrollToSubstring(int start, int) override { box()->setCursorPosition(start); }
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return QString();
  }

 private:
  ResultsBox* box() const { return static_cast<ResultsBox*>(widget()); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("tarnvel::ResultsBox") && object && object->isWidgetType())
    return new ResultsBoxAccessible(static_cast<ResultsBox*>(object));
  return nullptr;
}

}  // namespace

void InstallResultsBoxAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(Factory);
    return true;
  }();
  (void)installed;
}

}  // namespace tarnvel
