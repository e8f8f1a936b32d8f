#include "results_box.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFont>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>
#include <QTimer>
#include <QtMath>
#include <algorithm>
#include <new>

#include "form_geometry.h"
#include "results_box_accessible.h"

namespace tarnvel {

namespace {

// The space around the text, as a plain text box leaves it.
constexpr int kMargin = 4;
// Lines measured at once after an edit; the rest are measured when they are
// drawn, so a pasted table does not stall the box.
constexpr qsizetype kLinesMeasuredPerEdit = 200;
// Edits that can be taken back, one after another.
constexpr size_t kUndoSteps = 100;

// The table's columns are padded with spaces for a font whose Latin letters
// are half as wide as its Chinese ones, as "宋体" is; the fallbacks keep that.
QFont TableFont() {
  QFont font = FormFont();
  QStringList families = font.families();
  families.insert(2, QStringLiteral("Noto Sans Mono CJK SC"));
  font.setFamilies(families);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

bool IsSpace(QChar c) {
  return c.isSpace();
}

}  // namespace

ResultsBox::ResultsBox(QWidget* parent) : QAbstractScrollArea(parent) {
  InstallResultsBoxAccessibility();
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setInputMethodHints(Qt::ImhMultiLine);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  viewport()->setCursor(Qt::IBeamCursor);
  setFont(TableFont());
  measureLineHeight();
  updateScrollBars();
}

// ---------------------------------------------------------------- text

void ResultsBox::setTableText(const QString& text) {
  const QString old = QAccessible::isActive() ? lines_.text() : QString();
  lines_.setText(text);
  tableSet(old);
}

void ResultsBox::setTableUtf8(std::string text) {
  const QString old = QAccessible::isActive() ? lines_.text() : QString();
  lines_.setUtf8(std::move(text));
  tableSet(old);
}

void ResultsBox::tableSet(const QString& old) {
  undo_.clear();
  cursor_ = anchor_ = 0;
  preferredX_ = -1;
  preedit_.clear();
  widest_ = 0;
  noteLineWidth(0);
  noteLineWidth(lines_.longestLine());
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  updateScrollBars();
  viewport()->update();
  if (QAccessible::isActive()) {
    QAccessibleTextUpdateEvent event(this, 0, old, lines_.text());
    QAccessible::updateAccessibility(&event);
  }
}

QString ResultsBox::toPlainText() const {
  QString text = lines_.text();
  return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString ResultsBox::selectedText() const {
  return lines_.slice(std::min(cursor_, anchor_), std::max(cursor_, anchor_));
}

void ResultsBox::selectAll() {
  anchor_ = 0;
  setCursorPosition(lines_.size(), QTextCursor::KeepAnchor);
}

void ResultsBox::insertText(const QString& text) {
  replaceRange(std::min(cursor_, anchor_), std::max(cursor_, anchor_), text);
}

void ResultsBox::removeSelection() {
  insertText(QString());
}

void ResultsBox::replaceRange(qsizetype from, qsizetype to, const QString& text) {
  if (from == to && text.isEmpty()) return;
  // The table is the only copy of the results: a slip of the keyboard over a
  // selection must not lose it for good. The copy and the room for the undo
  // step are taken before the text changes, so that an edit that runs out of
  // memory changes nothing.
  const QString removed = lines_.slice(from, to);
  const qsizetype cursor = cursor_;
  const qsizetype anchor = anchor_;
  if (!undoing_) undo_.reserve(undo_.size() + 1);
  const qsizetype end = lines_.replace(from, to, text);
  if (!undoing_) {
    if (undo_.size() == kUndoSteps) undo_.erase(undo_.begin());
    undo_.push_back({from, removed, end - from, cursor, anchor});
  }
  cursor_ = anchor_ = end;
  preferredX_ = -1;
  const qsizetype first = lines_.lineOf(from);
  const qsizetype last = std::min(lines_.lineOf(end), first + kLinesMeasuredPerEdit);
  for (qsizetype line = first; line <= last; ++line) noteLineWidth(line);
  updateScrollBars();
  ensureCaretVisible();
  restartBlink();
  viewport()->update();
  if (QAccessible::isActive()) {
    if (!removed.isEmpty()) {
      QAccessibleTextRemoveEvent event(this, int(from), removed);
      QAccessible::updateAccessibility(&event);
    }
    if (end > from) {
      QAccessibleTextInsertEvent event(this, int(from), lines_.slice(from, end));
      QAccessible::updateAccessibility(&event);
    }
  }
}

void ResultsBox::undo() {
  if (undo_.empty()) return;
  // The step is kept until it has been taken back, in case that fails.
  const Edit edit = undo_.back();
  undoing_ = true;
  try {
    replaceRange(edit.from, edit.from + edit.insertedLength, edit.removed);
  } catch (...) {
    undoing_ = false;
    throw;
  }
  undoing_ = false;
  undo_.pop_back();
  anchor_ = edit.anchor;
  setCursorPosition(edit.cursor, QTextCursor::KeepAnchor);
}

void ResultsBox::cut() {
  if (!hasSelection()) return;
  copy();
  removeSelection();
}

void ResultsBox::copy() const {
  if (hasSelection()) QGuiApplication::clipboard()->setText(selectedText());
}

void ResultsBox::paste() {
  const QString text = QGuiApplication::clipboard()->text();
  if (!text.isEmpty()) insertText(text);
}

// ---------------------------------------------------------------- caret

void ResultsBox::setCursorPosition(qsizetype position, QTextCursor::MoveMode mode) {
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
  preferredX_ = -1;
  ensureCaretVisible();
  restartBlink();
  viewport()->update();
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
  accessibleCaretMoved();
}

void ResultsBox::moveCursor(QTextCursor::MoveOperation operation, QTextCursor::MoveMode mode) {
  const qsizetype line = lines_.lineOf(cursor_);
  const int keepX = preferredX_ >= 0 ? preferredX_ : lineX(line, cursor_);
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
    case QTextCursor::Up:
      to = verticalMove(-1, keepX);
      break;
    case QTextCursor::Down:
      to = verticalMove(1, keepX);
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
      return;
  }
  setCursorPosition(to, mode);
  if (operation == QTextCursor::Up || operation == QTextCursor::Down) preferredX_ = keepX;
}

qsizetype ResultsBox::nextPosition(qsizetype position) const {
  const qsizetype line = lines_.lineOf(position);
  if (position == lines_.lineEnd(line))
    return line + 1 < lines_.lineCount() ? lines_.lineStart(line + 1) : position;
  const QString text = lines_.line(line);
  const qsizetype at = position - lines_.lineStart(line);
  if (text[at].isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate())
    return position + 2;
  return position + 1;
}

qsizetype ResultsBox::previousPosition(qsizetype position) const {
  const qsizetype line = lines_.lineOf(position);
  if (position == lines_.lineStart(line)) return line > 0 ? lines_.lineEnd(line - 1) : position;
  const QString text = lines_.line(line);
  const qsizetype at = position - lines_.lineStart(line);
  if (text[at - 1].isLowSurrogate() && at >= 2 && text[at - 2].isHighSurrogate())
    return position - 2;
  return position - 1;
}

// The position `lines` lines up or down at the x the caret keeps while it
// goes through shorter lines.
qsizetype ResultsBox::verticalMove(qsizetype lines, int x) const {
  const qsizetype target = lines_.lineOf(cursor_) + lines;
  if (target < 0) return 0;
  if (target >= lines_.lineCount()) return lines_.size();
  return positionInLine(target, x);
}

// ---------------------------------------------------------------- geometry

int ResultsBox::lineHeight() const {
  return lineHeight_;
}

// A line's height and baseline as a laid-out table row has them: the degree,
// minute and second marks come from a fallback font that is taller than the
// main one, and every row holds them.
void ResultsBox::measureLineHeight() {
  QTextLayout layout(QStringLiteral("里程X0.°ˊ″"), font());
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  lineHeight_ = std::max(1, qCeil(line.height()));
  ascent_ = qCeil(line.ascent());
}

qsizetype ResultsBox::firstVisibleLine() const {
  return verticalScrollBar()->value();
}

int ResultsBox::visibleLineCount() const {
  return std::max(1, (viewport()->height() - kMargin) / lineHeight());
}

// A line laid out once by the shaper: the caret's x and the place under the
// pointer are then read off in one pass over the line. Measuring each prefix
// instead costs the square of the line's length, minutes on a pasted line of
// a few hundred thousand characters.
QTextLine ResultsBox::shapedLine(qsizetype line) const {
  const QString text = lines_.line(line);
  if (!shaped_ || shaped_->font() != font() || shaped_->text() != text) {
    shaped_ = std::make_unique<QTextLayout>(text, font());
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    shaped_->setTextOption(option);
    shaped_->setCacheEnabled(true);
    shaped_->beginLayout();
    shaped_->createLine();
    shaped_->endLayout();
  }
  return shaped_->lineAt(0);
}

int ResultsBox::lineX(qsizetype line, qsizetype position) const {
  const qsizetype start = lines_.lineStart(line);
  if (position <= start) return 0;
  return qRound(shapedLine(line).cursorToX(int(position - start)));
}

// The nearest place between two characters of the line to x, measured on
// the shaped text so that Chinese and Latin characters both count right.
qsizetype ResultsBox::positionInLine(qsizetype line, int x) const {
  const qsizetype start = lines_.lineStart(line);
  const qsizetype end = lines_.lineEnd(line);
  if (x <= 0 || start == end) return start;
  const int at = shapedLine(line).xToCursor(x, QTextLine::CursorBetweenCharacters);
  return std::clamp<qsizetype>(start + at, start, end);
}

QRect ResultsBox::caretRect(qsizetype position) const {
  const qsizetype line = lines_.lineOf(position);
  const int y = kMargin + int(line - firstVisibleLine()) * lineHeight();
  const int x = kMargin - horizontalScrollBar()->value() + lineX(line, position);
  return QRect(x, y, 1, lineHeight());
}

qsizetype ResultsBox::positionAt(QPoint point) const {
  const int offset = point.y() - kMargin;
  const qsizetype rows = offset >= 0 ? offset / lineHeight() : -1 - (-offset - 1) / lineHeight();
  const qsizetype line =
      std::clamp<qsizetype>(firstVisibleLine() + rows, 0, lines_.lineCount() - 1);
  return positionInLine(line, point.x() - kMargin + horizontalScrollBar()->value());
}

void ResultsBox::noteLineWidth(qsizetype line) {
  if (line < 0 || line >= lines_.lineCount()) return;
  widest_ = std::max(widest_, QFontMetrics(font()).horizontalAdvance(lines_.line(line)));
}

void ResultsBox::updateScrollBars() {
  const int shown = visibleLineCount();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, int(std::max<qsizetype>(0, lines_.lineCount() - shown)));
  vertical->setPageStep(shown);
  vertical->setSingleStep(1);
  QScrollBar* horizontal = horizontalScrollBar();
  const int caret = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
  horizontal->setRange(0, std::max(0, widest_ + 2 * kMargin + caret - viewport()->width()));
  horizontal->setPageStep(viewport()->width());
  horizontal->setSingleStep(QFontMetrics(font()).averageCharWidth() * 2);
}

void ResultsBox::ensureCaretVisible() {
  const qsizetype line = lines_.lineOf(cursor_);
  QScrollBar* vertical = verticalScrollBar();
  const qsizetype shown = visibleLineCount();
  if (line < vertical->value())
    vertical->setValue(int(line));
  else if (line >= vertical->value() + shown)
    vertical->setValue(int(line - shown + 1));

  noteLineWidth(line);
  updateScrollBars();
  QScrollBar* horizontal = horizontalScrollBar();
  const int x = lineX(line, cursor_);
  const int room = std::max(1, viewport()->width() - 2 * kMargin - 1);
  if (x < horizontal->value())
    horizontal->setValue(x);
  else if (x > horizontal->value() + room)
    horizontal->setValue(x - room);
}

// ---------------------------------------------------------------- drawing

void ResultsBox::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  painter.setFont(font());
  const QFontMetrics metrics(font());
  const QPalette& colours = palette();
  const int height = lineHeight();
  const int left = kMargin - horizontalScrollBar()->value();
  const qsizetype first = firstVisibleLine();
  const qsizetype last =
      std::min(lines_.lineCount() - 1, first + viewport()->height() / height + 1);
  const qsizetype selectionFrom = std::min(cursor_, anchor_);
  const qsizetype selectionTo = std::max(cursor_, anchor_);
  const qsizetype caretLine = lines_.lineOf(cursor_);
  const int widestBefore = widest_;

  for (qsizetype line = first; line <= last; ++line) {
    const int top = kMargin + int(line - first) * height;
    const QRect band(0, top, viewport()->width(), height);
    if (!event->rect().intersects(band)) continue;
    const qsizetype start = lines_.lineStart(line);
    const qsizetype end = lines_.lineEnd(line);
    QString text = lines_.line(line);
    widest_ = std::max(widest_, metrics.horizontalAdvance(text));
    const int baseline = top + ascent_;
    painter.setPen(colours.color(QPalette::Text));

    if (line == caretLine && !preedit_.isEmpty()) {
      // The input method's composition, underlined in place at the caret.
      const qsizetype at = cursor_ - start;
      const int x = left + lineX(line, cursor_);
      const int width = metrics.horizontalAdvance(preedit_);
      text.insert(at, preedit_);
      painter.drawText(QPoint(left, baseline), text);
      painter.drawLine(x, baseline + 1, x + width, baseline + 1);
      continue;
    }
    painter.drawText(QPoint(left, baseline), text);

    const qsizetype from = std::max(selectionFrom, start);
    const qsizetype to = std::min(selectionTo, end);
    if (selectionFrom < selectionTo && from <= to && (from < to || selectionTo > end)) {
      int x1 = left + lineX(line, from);
      int x2 = left + lineX(line, to);
      if (selectionTo > end) x2 += metrics.horizontalAdvance(QLatin1Char(' '));  // the line end
      const QRect marked(x1, top, x2 - x1, height);
      painter.save();
      painter.setClipRect(marked);
      painter.fillRect(marked, colours.brush(QPalette::Highlight));
      painter.setPen(colours.color(QPalette::HighlightedText));
      painter.drawText(QPoint(left, baseline), text);
      painter.restore();
    }
  }

  if (caretShown_ && hasFocus() && preedit_.isEmpty()) {
    QRect caret = caretRect(cursor_);
    caret.setWidth(style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this));
    painter.fillRect(caret, colours.brush(QPalette::Text));
  }
  // A line wider than any seen so far widens the scroll range once the
  // drawing is done.
  if (widest_ > widestBefore) QTimer::singleShot(0, this, &ResultsBox::updateScrollBars);
}

void ResultsBox::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

void ResultsBox::scrollContentsBy(int, int) {
  viewport()->update();
}

void ResultsBox::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    measureLineHeight();
    widest_ = 0;
    noteLineWidth(lines_.longestLine());
    updateScrollBars();
    viewport()->update();
  }
}

void ResultsBox::restartBlink() {
  caretShown_ = true;
  const int flash = QApplication::cursorFlashTime();
  if (hasFocus() && flash > 0)
    blink_.start(flash / 2, this);
  else
    blink_.stop();
}

void ResultsBox::timerEvent(QTimerEvent* event) {
  if (event->timerId() != blink_.timerId()) {
    QAbstractScrollArea::timerEvent(event);
    return;
  }
  caretShown_ = !caretShown_;
  viewport()->update(caretRect(cursor_).adjusted(-1, 0, 2, 0));
}

void ResultsBox::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  restartBlink();
  viewport()->update();
}

void ResultsBox::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  blink_.stop();
  caretShown_ = false;
  viewport()->update();
}

// ---------------------------------------------------------------- keyboard

bool ResultsBox::moveByKey(const QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (modifiers & (Qt::AltModifier | Qt::MetaModifier)) return false;
  const bool control = modifiers & Qt::ControlModifier;
  const auto mode =
      (modifiers & Qt::ShiftModifier) ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor;
  switch (event->key()) {
    case Qt::Key_Left:
      moveCursor(control ? QTextCursor::WordLeft : QTextCursor::Left, mode);
      break;
    case Qt::Key_Right:
      moveCursor(control ? QTextCursor::WordRight : QTextCursor::Right, mode);
      break;
    case Qt::Key_Up:
      moveCursor(QTextCursor::Up, mode);
      break;
    case Qt::Key_Down:
      moveCursor(QTextCursor::Down, mode);
      break;
    case Qt::Key_Home:
      moveCursor(control ? QTextCursor::Start : QTextCursor::StartOfLine, mode);
      break;
    case Qt::Key_End:
      moveCursor(control ? QTextCursor::End : QTextCursor::EndOfLine, mode);
      break;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
      // The page turns and the caret keeps its place on the screen.
      const int page = visibleLineCount() * (event->key() == Qt::Key_PageUp ? -1 : 1);
      const int keepX = preferredX_ >= 0 ? preferredX_ : lineX(lines_.lineOf(cursor_), cursor_);
      const qsizetype to = verticalMove(page, keepX);
      verticalScrollBar()->setValue(verticalScrollBar()->value() + page);
      setCursorPosition(to, mode);
      preferredX_ = keepX;
      break;
    }
    default:
      return false;
  }
  return true;
}

bool ResultsBox::editByKey(const QKeyEvent* event) {
  if (event->matches(QKeySequence::SelectAll)) {
    selectAll();
  } else if (event->matches(QKeySequence::Undo)) {
    undo();
  } else if (event->matches(QKeySequence::Copy)) {
    copy();
  } else if (event->matches(QKeySequence::Cut)) {
    cut();
  } else if (event->matches(QKeySequence::Paste)) {
    paste();
  } else if (event->matches(QKeySequence::DeleteStartOfWord) ||
             event->matches(QKeySequence::DeleteEndOfWord)) {
    if (!hasSelection())
      moveCursor(event->matches(QKeySequence::DeleteStartOfWord) ? QTextCursor::WordLeft
                                                                 : QTextCursor::WordRight,
                 QTextCursor::KeepAnchor);
    removeSelection();
  } else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)) {
    if (!hasSelection()) anchor_ = previousPosition(cursor_);
    removeSelection();
  } else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
    if (!hasSelection()) anchor_ = nextPosition(cursor_);
    removeSelection();
  } else if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
    insertText(QStringLiteral("\r\n"));
  } else {
    const QString text = event->text();
    if (text.isEmpty() || (event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)))
      return false;
    for (QChar c : text)
      if (!c.isPrint() && !c.isSurrogate()) return false;
    insertText(text);
  }
  return true;
}

// Every handler of the user's actions starts here: an edit that cannot get
// its memory leaves the text as it was and is reported, and the program goes
// on.
template <class Handler>
void ResultsBox::catchOutOfMemory(Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::bad_alloc&) {
    viewport()->update();
    emit outOfMemory();
  }
}

void ResultsBox::keyPressEvent(QKeyEvent* event) {
  bool handled = true;
  catchOutOfMemory([&] { handled = moveByKey(event) || editByKey(event); });
  event->setAccepted(handled);
}

bool ResultsBox::event(QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    // Editing keys belong to the box even where the window binds them.
    auto* key = static_cast<QKeyEvent*>(event);
    const bool printable = !key->text().isEmpty() && key->text().at(0).isPrint() &&
                           !(key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
    const bool editing = key->matches(QKeySequence::SelectAll) ||
                         key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Copy) ||
                         key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste) ||
                         key->matches(QKeySequence::MoveToStartOfDocument) ||
                         key->matches(QKeySequence::MoveToEndOfDocument) ||
                         key->matches(QKeySequence::SelectStartOfDocument) ||
                         key->matches(QKeySequence::SelectEndOfDocument);
    if (printable || editing) {
      event->accept();
      return true;
    }
  }
  return QAbstractScrollArea::event(event);
}

// ---------------------------------------------------------------- input methods

void ResultsBox::inputMethodEvent(QInputMethodEvent* event) {
  catchOutOfMemory([&] { inputMethod(event); });
  event->accept();
}

void ResultsBox::inputMethod(const QInputMethodEvent* event) {
  const QString commit = event->commitString();
  if (!commit.isEmpty() || event->replacementLength() > 0) {
    if (event->replacementLength() > 0 && !hasSelection()) {
      const qsizetype line = lines_.lineOf(cursor_);
      const qsizetype from = std::clamp<qsizetype>(cursor_ + event->replacementStart(),
                                                   lines_.lineStart(line), lines_.lineEnd(line));
      anchor_ = std::min(from + event->replacementLength(), lines_.lineEnd(line));
      cursor_ = from;
    }
    insertText(commit);
  }
  preedit_ = event->preeditString();
  viewport()->update();
}

QVariant ResultsBox::inputMethodQuery(Qt::InputMethodQuery query) const {
  const qsizetype line = lines_.lineOf(cursor_);
  const qsizetype start = lines_.lineStart(line);
  switch (query) {
    case Qt::ImEnabled:
      return true;
    case Qt::ImCursorRectangle:
      return caretRect(cursor_).translated(viewport()->pos());
    case Qt::ImFont:
      return font();
    case Qt::ImCursorPosition:
      return int(cursor_ - start);
    case Qt::ImAnchorPosition:
      return int(std::clamp<qsizetype>(anchor_, start, lines_.lineEnd(line)) - start);
    case Qt::ImSurroundingText:
      return lines_.line(line);
    case Qt::ImCurrentSelection:
      return selectedText();
    case Qt::ImHints:
      return int(inputMethodHints());
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// ---------------------------------------------------------------- mouse

void ResultsBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    event->ignore();
    return;
  }
  catchOutOfMemory([&] {
    setCursorPosition(positionAt(event->position().toPoint()),
                      (event->modifiers() & Qt::ShiftModifier) ? QTextCursor::KeepAnchor
                                                               : QTextCursor::MoveAnchor);
  });
}

void ResultsBox::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton)
    catchOutOfMemory([&] {
      setCursorPosition(positionAt(event->position().toPoint()), QTextCursor::KeepAnchor);
    });
}

void ResultsBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  catchOutOfMemory([&] { selectWordAt(event->position().toPoint()); });
}

void ResultsBox::selectWordAt(QPoint point) {
  // The word under the pointer: the run of non-spaces it falls in.
  setCursorPosition(positionAt(point));
  const qsizetype line = lines_.lineOf(cursor_);
  const QString text = lines_.line(line);
  const qsizetype start = lines_.lineStart(line);
  qsizetype from = cursor_;
  qsizetype to = cursor_;
  while (from > start && !IsSpace(text[from - 1 - start])) --from;
  while (to < lines_.lineEnd(line) && !IsSpace(text[to - start])) ++to;
  anchor_ = from;
  setCursorPosition(to, QTextCursor::KeepAnchor);
}

void ResultsBox::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  const auto guarded = [this](auto handler) {
    return [this, handler] { catchOutOfMemory([&] { (this->*handler)(); }); };
  };
  menu.addAction(QStringLiteral("撤销(&U)"), this, guarded(&ResultsBox::undo))
      ->setEnabled(canUndo());
  menu.addSeparator();
  menu.addAction(QStringLiteral("剪切(&T)"), this, guarded(&ResultsBox::cut))
      ->setEnabled(hasSelection());
  menu.addAction(QStringLiteral("复制(&C)"), this, guarded(&ResultsBox::copy))
      ->setEnabled(hasSelection());
  menu.addAction(QStringLiteral("粘贴(&P)"), this, guarded(&ResultsBox::paste))
      ->setEnabled(!QGuiApplication::clipboard()->text().isEmpty());
  menu.addAction(QStringLiteral("删除(&D)"), this, guarded(&ResultsBox::removeSelection))
      ->setEnabled(hasSelection());
  menu.addSeparator();
  menu.addAction(QStringLiteral("全选(&A)"), this, guarded(&ResultsBox::selectAll))
      ->setEnabled(lines_.size() > 0);
  menu.exec(event->globalPos());
}

// ---------------------------------------------------------------- accessibility

void ResultsBox::accessibleCaretMoved() {
  if (!QAccessible::isActive()) return;
  QAccessibleTextCursorEvent event(this, int(cursor_));
  QAccessible::updateAccessibility(&event);
}

}  // namespace tarnvel
