// What the results box edits, apart from how it is drawn: the text, the caret
// and selection, and the edits that can be taken back. Positions count as
// TextLines counts them. It measures nothing and paints nothing, so the box
// (results_box) keeps the pixels: the caret's x, scrolling and the lines'
// widths.
#pragma once

#include <QString>
#include <QTextCursor>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/main/text_lines.h"

namespace tarnvel {

// One change of the text: `removed` was at `from`, and what took its place
// ends at `end`.
struct ResultsBoxChange {
  qsizetype from = 0;
  QString removed;
  qsizetype end = 0;
};

class ResultsBoxModel {
 public:
  // Replaces the whole text; caret and anchor go to the start and no edit
  // before it can be taken back. On std::bad_alloc nothing changes.
  void setText(const QString& text);
  void setUtf8(std::string text);

  const TextLines& lines() const { return lines_; }

  qsizetype cursor() const { return cursor_; }
  qsizetype anchor() const { return anchor_; }
  bool hasSelection() const { return cursor_ != anchor_; }
  QString selectedText() const;

  // Puts the caret at the nearest position to `position` within the text,
  // never between the CR and LF of a line end nor inside a surrogate pair;
  // the anchor follows it for MoveAnchor.
  void setCursor(qsizetype position, QTextCursor::MoveMode mode);
  // Sets both ends of the selection as they are given: positions of the text.
  void select(qsizetype anchor, qsizetype cursor);

  // Where a move along the text takes the caret: by character, word, line
  // end or the whole text. Nothing for a move by lines on the screen (Up,
  // Down), which the box makes, or one the box does not know.
  std::optional<qsizetype> moveTarget(QTextCursor::MoveOperation operation,
                                      QTextCursor::MoveMode mode) const;
  // The next and previous positions, a line end counting as one step.
  qsizetype nextPosition(qsizetype position) const;
  qsizetype previousPosition(qsizetype position) const;
  // The run of non-spaces that the position falls in, within its line.
  std::pair<qsizetype, qsizetype> wordAround(qsizetype position) const;

  // Replaces the characters [from, to) as one edit that can be taken back;
  // caret and anchor go to its end. Nothing when nothing changes. On
  // std::bad_alloc the text, the caret and the edits stay as they were.
  std::optional<ResultsBoxChange> replace(qsizetype from, qsizetype to, const QString& text);
  // Takes back the last edit, caret and selection included; a text set by
  // setText is never taken back. Nothing when no edit is left.
  std::optional<ResultsBoxChange> undo();
  bool canUndo() const { return !undo_.empty(); }

 private:
  void textSet();
  qsizetype change(qsizetype from, qsizetype to, const QString& text, QString& removed);

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
  qsizetype cursor_ = 0;
  qsizetype anchor_ = 0;
};

}  // namespace tarnvel
