// The results box of the continuous computation (Text12): an editable,
// unwrapped text box that takes a table of a million rows at once, keeps it
// as the UTF-8 it was computed in, decodes and lays out only the lines in
// view, and gives the text back with the CR LF line ends the table file
// needs.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QString>
#include <QTextCursor>
#include <QTextLayout>
#include <memory>
#include <string>
#include <vector>

#include "text_lines.h"

class QMenu;

namespace tarnvel {

class ResultsBox : public QAbstractScrollArea {
  Q_OBJECT
  Q_PROPERTY(QString plainText READ toPlainText WRITE setPlainText USER true)

 public:
  explicit ResultsBox(QWidget* parent = nullptr);

  // Replaces the whole text in one step; lines may end in CR LF, LF or CR.
  // The caret goes to the start.
  void setTableText(const QString& text);
  void setPlainText(const QString& text) { setTableText(text); }
  // The same for a computed table in UTF-8, which the box keeps as it is
  // rather than holding a UTF-16 copy twice its size.
  void setTableUtf8(std::string text);

  // The text as it stands, the user's edits included, every line end CR LF.
  // It is made afresh on each call.
  QString tableText() const { return lines_.text(); }
  // Its length, and a part of it, without making the whole.
  qsizetype textLength() const { return lines_.size(); }
  QString textRange(qsizetype from, qsizetype to) const { return lines_.slice(from, to); }
  // The caret's line.
  QString caretLineText() const { return lines_.line(lines_.lineOf(cursor_)); }
  // The same text with LF line ends, as a plain text box gives it.
  QString toPlainText() const;

  void clear() { setTableText(QString()); }

  // Caret and selection, in characters from the start of tableText().
  qsizetype cursorPosition() const { return cursor_; }
  qsizetype anchorPosition() const { return anchor_; }
  void setCursorPosition(qsizetype position, QTextCursor::MoveMode mode = QTextCursor::MoveAnchor);
  void moveCursor(QTextCursor::MoveOperation operation,
                  QTextCursor::MoveMode mode = QTextCursor::MoveAnchor);
  bool hasSelection() const { return cursor_ != anchor_; }
  QString selectedText() const;
  void selectAll();

  // Replaces the selection (or inserts at the caret) as if typed.
  void insertText(const QString& text);
  void cut();
  void copy() const;
  void paste();
  // Takes back the last edit, caret and selection included; a computed table
  // set in the box is never taken back.
  void undo();
  bool canUndo() const { return !undo_.empty(); }

  // Where a position is drawn in the viewport, and the position nearest to
  // a point of the viewport.
  QRect caretRect(qsizetype position) const;
  qsizetype positionAt(QPoint point) const;

  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

 signals:
  // An edit by the user could not get the memory it needed (a pasted text
  // too large to hold); the text is as it was before the edit.
  void outOfMemory();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void changeEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  void tableSet(const QString& old);
  int lineHeight() const;
  void measureLineHeight();
  qsizetype firstVisibleLine() const;
  int visibleLineCount() const;                         // lines wholly in view, at least one
  int lineX(qsizetype line, qsizetype position) const;  // in text coordinates
  qsizetype positionInLine(qsizetype line, int x) const;
  QTextLine shapedLine(qsizetype line) const;
  qsizetype nextPosition(qsizetype position) const;
  qsizetype previousPosition(qsizetype position) const;
  qsizetype verticalMove(qsizetype lines, int x) const;
  bool moveByKey(const QKeyEvent* event);
  bool editByKey(const QKeyEvent* event);
  void inputMethod(const QInputMethodEvent* event);
  void selectWordAt(QPoint point);
  void removeSelection();
  void replaceRange(qsizetype from, qsizetype to, const QString& text);
  void noteLineWidth(qsizetype line);
  void updateScrollBars();
  void ensureCaretVisible();
  void restartBlink();
  void accessibleCaretMoved();
  template <class Handler>
  void catchOutOfMemory(Handler&& handler);

  // One edit as it can be taken back: the text it removed at `from`, the
  // length it put there, and the caret and selection before it.
  struct Edit {
    qsizetype from = 0;
    QString removed;
    qsizetype insertedLength = 0;
    qsizetype cursor = 0;
    qsizetype anchor = 0;
  };

  TextLines lines_;
  std::vector<Edit> undo_;
  bool undoing_ = false;
  qsizetype cursor_ = 0;
  qsizetype anchor_ = 0;
  int preferredX_ = -1;  // kept while moving up and down through short lines
  int widest_ = 0;       // the widest line measured since the text was set
  QString preedit_;      // input method composition, shown at the caret
  int lineHeight_ = 1;
  int ascent_ = 0;
  bool caretShown_ = false;
  QBasicTimer blink_;
  // The last line the caret was placed on or hit by the pointer, shaped once
  // and kept until its text or the font changes.
  mutable std::unique_ptr<QTextLayout> shaped_;
};

}  // namespace tarnvel
