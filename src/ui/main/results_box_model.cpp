#include "ui/main/results_box_model.h"

#include <algorithm>

namespace tarnvel {

namespace {

// Edits that can be taken back, one after another.
constexpr size_t kUndoSteps = 100;

bool IsSpace(QChar c) {
  return c.isSpace();
}

}  // namespace

void ResultsBoxModel::setText(const QString& text) {
  lines_.setText(text);
  textSet();
}

void ResultsBoxModel::setUtf8(std::string text) {
  lines_.setUtf8(std::move(text));
  textSet();
}

void ResultsBoxModel::textSet() {
  undo_.clear();
  cursor_ = anchor_ = 0;
}

QString ResultsBoxModel::selectedText() const {
  return lines_.slice(std::min(cursor_, anchor_), std::max(cursor_, anchor_));
}

void ResultsBoxModel::setCursor(qsizetype position, QTextCursor::MoveMode mode) {
  position = std::clamp<qsizetype>(position, 0, lines_.size());
  // Never between the CR and LF of a line end, nor inside a surrogate pair.
  const qsizetype line = lines_.lineOf(position);
  if (position > lines_.lineEnd(line)) {
    position = lines_.lineEnd(line);
  } else if (position > lines_.lineStart(line) && position < lines_.lineEnd(line)) {
    const QString text = lines_.line(line);
    const qsizetype at = position - lines_.lineStart(line);
    if (text[at - 1].isHighSurrogate() && text[at].isLowSurrogate()) --position;
  }
  cursor_ = position;
  if (mode == QTextCursor::MoveAnchor) anchor_ = position;
}

void ResultsBoxModel::select(qsizetype anchor, qsizetype cursor) {
  anchor_ = anchor;
  cursor_ = cursor;
}

std::optional<qsizetype> ResultsBoxModel::moveTarget(QTextCursor::MoveOperation operation,
                                                     QTextCursor::MoveMode mode) const {
  const qsizetype line = lines_.lineOf(cursor_);
  qsizetype to = cursor_;
  switch (operation) {
    case QTextCursor::Start:
      to = 0;
      break;
    case QTextCursor::End:
      to = lines_.size();
      break;
    case QTextCursor::StartOfLine:
    case QTextCursor::StartOfBlock:
      to = lines_.lineStart(line);
      break;
    case QTextCursor::EndOfLine:
    case QTextCursor::EndOfBlock:
      to = lines_.lineEnd(line);
      break;
    case QTextCursor::Left:
    case QTextCursor::PreviousCharacter:
      // With a selection, Left goes to its start, as in any text box.
      to = (hasSelection() && mode == QTextCursor::MoveAnchor) ? std::min(cursor_, anchor_)
                                                               : previousPosition(cursor_);
      break;
    case QTextCursor::Right:
    case QTextCursor::NextCharacter:
      to = (hasSelection() && mode == QTextCursor::MoveAnchor) ? std::max(cursor_, anchor_)
                                                               : nextPosition(cursor_);
      break;
    case QTextCursor::PreviousBlock:
      to = lines_.lineStart(std::max<qsizetype>(line - 1, 0));
      break;
    case QTextCursor::NextBlock:
      to = line + 1 < lines_.lineCount() ? lines_.lineStart(line + 1) : lines_.size();
      break;
    case QTextCursor::WordLeft:
    case QTextCursor::PreviousWord:
    case QTextCursor::StartOfWord: {
      const qsizetype start = lines_.lineStart(line);
      if (to == start) {
        to = previousPosition(to);
        break;
      }
      const QString text = lines_.line(line);
      while (to > start && IsSpace(text[to - 1 - start])) --to;
      while (to > start && !IsSpace(text[to - 1 - start])) --to;
      break;
    }
    case QTextCursor::WordRight:
    case QTextCursor::NextWord:
    case QTextCursor::EndOfWord: {
      const qsizetype end = lines_.lineEnd(line);
      if (to == end) {
        to = nextPosition(to);
        break;
      }
      const QString text = lines_.line(line);
      const qsizetype start = lines_.lineStart(line);
      while (to < end && !IsSpace(text[to - start])) ++to;
      while (to < end && IsSpace(text[to - start])) ++to;
      break;
    }
    default:
      return std::nullopt;
  }
  return to;
}

qsizetype ResultsBoxModel::nextPosition(qsizetype position) const {
  const qsizetype line = lines_.lineOf(position);
  if (position == lines_.lineEnd(line))
    return line + 1 < lines_.lineCount() ? lines_.lineStart(line + 1) : position;
  const QString text = lines_.line(line);
  const qsizetype at = position - lines_.lineStart(line);
  if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
    return position + 2;
  return position + 1;
}

qsizetype ResultsBoxModel::previousPosition(qsizetype position) const {
  const qsizetype line = lines_.lineOf(position);
  if (position == lines_.lineStart(line)) return line > 0 ? lines_.lineEnd(line - 1) : position;
  const QString text = lines_.line(line);
  const qsizetype at = position - lines_.lineStart(line);
  if (text[at - 1].isLowSurrogate() && at >= 2 && text[at - 2].isHighSurrogate())
    return position - 2;
  return position - 1;
}

std::pair<qsizetype, qsizetype> ResultsBoxModel::wordAround(qsizetype position) const {
  const qsizetype line = lines_.lineOf(position);
  const QString text = lines_.line(line);
  const qsizetype start = lines_.lineStart(line);
  qsizetype from = position;
  qsizetype to = position;
  while (from > start && !IsSpace(text[from - 1 - start])) --from;
  while (to < lines_.lineEnd(line) && !IsSpace(text[to - start])) ++to;
  return {from, to};
}

std::optional<ResultsBoxChange> ResultsBoxModel::replace(qsizetype from, qsizetype to,
                                                         const QString& text) {
  if (from == to && text.isEmpty()) return std::nullopt;
  // The table is the only copy of the results: a slip of the keyboard over a
  // selection must not lose it for good. The copy and the room for the undo
  // step are taken before the text changes, so that an edit that runs out of
  // memory changes nothing.
  const QString removed = lines_.slice(from, to);
  undo_.reserve(undo_.size() + 1);
  const qsizetype end = lines_.replace(from, to, text);
  if (undo_.size() == kUndoSteps) undo_.erase(undo_.begin());
  undo_.push_back({from, removed, end - from, cursor_, anchor_});
  cursor_ = anchor_ = end;
  return ResultsBoxChange{from, removed, end};
}

std::optional<ResultsBoxChange> ResultsBoxModel::undo() {
  if (undo_.empty()) return std::nullopt;
  // The step is kept until it has been taken back, in case that fails.
  const Edit edit = undo_.back();
  const qsizetype to = edit.from + edit.insertedLength;
  const QString removed = lines_.slice(edit.from, to);
  const qsizetype end = lines_.replace(edit.from, to, edit.removed);
  undo_.pop_back();
  anchor_ = edit.anchor;
  setCursor(edit.cursor, QTextCursor::KeepAnchor);
  return ResultsBoxChange{edit.from, removed, end};
}

}  // namespace tarnvel
