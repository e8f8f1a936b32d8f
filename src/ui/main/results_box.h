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

#include "ui/main/results_box_model.h"
#include "ui/main/text_lines.h"

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
  QString tableText() const { return model_.lines().text(); }
  // Its length, and a part of it, without making the whole.
  qsizetype textLength() const { return model_.lines().size(); }
  QString textRange(qsizetype from, qsizetype to) const { return model_.lines().slice(from, to); }
  // The caret's line.
  QString caretLineText() const {
    return model_.lines().line(model_.lines().lineOf(model_.cursor()));
  }
  // The same text with LF line ends, as a plain text box gives it.
  QString toPlainText() const;

  void clear() { setTableText(QString()); }

  // Caret and selection, in characters from the start of tableText().
  qsizetype cursorPosition() const { return model_.cursor(); }
  qsizetype anchorPosition() const { return model_.anchor(); }
  void setCursorPosition(qsizetype position, QTextCursor::MoveMode mode = QTextCursor::MoveAnchor);
  void moveCursor(QTextCursor::MoveOperation operation,
                  QTextCursor::MoveMode mode = QTextCursor::MoveAnchor);
  bool hasSelection() const { return model_.hasSelection(); }
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
  bool canUndo() const { return model_.canUndo(); }

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
  qsizetype verticalMove(qsizetype lines, int x) const;
  bool moveByKey(const QKeyEvent* event);
  bool editByKey(const QKeyEvent* event);
  void inputMethod(const QInputMethodEvent* event);
  void selectWordAt(QPoint point);
  void removeSelection();
  void replaceRange(qsizetype from, qsizetype to, const QString& text);
  void showChange(const ResultsBoxChange& change);
  void caretMoved();
  void noteLineWidth(qsizetype line);
  void updateScrollBars();
  void ensureCaretVisible(qsizetype position);
  void restartBlink();
  void accessibleCaretMoved();
  template <class Handler>
  void catchOutOfMemory(Handler&& handler);

  // The text, caret, selection and undo; the box adds the pixels.
  ResultsBoxModel model_;
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
