#include "ui/main/results_box.h"

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
#include <optional>

#include "ui/common/form_geometry.h"
#include "ui/main/results_box_accessible.h"

namespace tarnvel {

namespace {

// The space around the text, as a plain text box leaves it.
constexpr int kMargin = 4;
// Lines measured at once after an edit; the rest are measured when they are
// drawn, so a pasted table does not stall the box.
constexpr qsizetype kLinesMeasuredPerEdit = 200;

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
  const QString old = QAccessible::isActive() ? model_.lines().text() : QString();
  model_.setText(text);
  tableSet(old);
}

void ResultsBox::setTableUtf8(std::string text) {
  const QString old = QAccessible::isActive() ? model_.lines().text() : QString();
  model_.setUtf8(std::move(text));
  tableSet(old);
}

void ResultsBox::tableSet(const QString& old) {
  preferredX_ = -1;
  preedit_.clear();
  widest_ = 0;
  noteLineWidth(0);
  noteLineWidth(model_.lines().longestLine());
  verticalScrollBar()->setValue(0);
  horizontalScrollBar()->setValue(0);
  updateScrollBars();
  viewport()->update();
  if (QAccessible::isActive()) {
    QAccessibleTextUpdateEvent event(this, 0, old, model_.lines().text());
    QAccessible::updateAccessibility(&event);
  }
}

QString ResultsBox::toPlainText() const {
  QString text = model_.lines().text();
  return text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

QString ResultsBox::selectedText() const {
  return model_.selectedText();
}

void ResultsBox::selectAll() {
  model_.select(0, model_.cursor());
  setCursorPosition(model_.lines().size(), QTextCursor::KeepAnchor);
}

void ResultsBox::insertText(const QString& text) {
  replaceRange(std::min(model_.cursor(), model_.anchor()),
               std::max(model_.cursor(), model_.anchor()), text);
}

void ResultsBox::removeSelection() {
  insertText(QString());
}

void ResultsBox::replaceRange(qsizetype from, qsizetype to, const QString& text) {
  if (const auto change = model_.replace(from, to, text)) showChange(*change);
}

// After the text changed, the caret at the change's end.
void ResultsBox::showChange(const ResultsBoxChange& change) {
  preferredX_ = -1;
  const TextLines& lines = model_.lines();
  const qsizetype first = lines.lineOf(change.from);
  const qsizetype last = std::min(lines.lineOf(change.end), first + kLinesMeasuredPerEdit);
  for (qsizetype line = first; line <= last; ++line) noteLineWidth(line);
  updateScrollBars();
  ensureCaretVisible(change.end);
  restartBlink();
  viewport()->update();
  if (QAccessible::isActive()) {
    if (!change.removed.isEmpty()) {
      QAccessibleTextRemoveEvent event(this, int(change.from), change.removed);
      QAccessible::updateAccessibility(&event);
    }
    if (change.end > change.from) {
      QAccessibleTextInsertEvent event(this, int(change.from),
                                       lines.slice(change.from, change.end));
      QAccessible::updateAccessibility(&event);
    }
  }
}

void ResultsBox::undo() {
  // The text comes back with the caret at the end of what came back, then
  // the caret and selection go back as they were.
  if (const auto change = model_.undo()) {
    showChange(*change);
    caretMoved();
  }
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
  model_.setCursor(position, mode);
  caretMoved();
}

void ResultsBox::caretMoved() {
  preferredX_ = -1;
  ensureCaretVisible(model_.cursor());
  restartBlink();
  viewport()->update();
  if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImQueryInput);
  accessibleCaretMoved();
}

void ResultsBox::moveCursor(QTextCursor::MoveOperation operation, QTextCursor::MoveMode mode) {
  const qsizetype line = model_.lines().lineOf(model_.cursor());
  const int keepX = preferredX_ >= 0 ? preferredX_ : lineX(line, model_.cursor());
  // Up and down go by the lines on the screen, every other move by the text.
  const bool vertical = operation == QTextCursor::Up || operation == QTextCursor::Down;
  const std::optional<qsizetype> to =
      vertical ? verticalMove(operation == QTextCursor::Up ? -1 : 1, keepX)
               : model_.moveTarget(operation, mode);
  if (!to) return;
  setCursorPosition(*to, mode);
  if (vertical) preferredX_ = keepX;
}

// The position `lines` lines up or down at the x the caret keeps while it
// goes through shorter lines.
qsizetype ResultsBox::verticalMove(qsizetype lines, int x) const {
  const qsizetype target = model_.lines().lineOf(model_.cursor()) + lines;
  if (target < 0) return 0;
  if (target >= model_.lines().lineCount()) return model_.lines().size();
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
  const QString text = model_.lines().line(line);
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
  const qsizetype start = model_.lines().lineStart(line);
  if (position <= start) return 0;
  return qRound(shapedLine(line).cursorToX(int(position - start)));
}

// The nearest place between two characters of the line to x, measured on
// the shaped text so that Chinese and Latin characters both count right.
qsizetype ResultsBox::positionInLine(qsizetype line, int x) const {
  const qsizetype start = model_.lines().lineStart(line);
  const qsizetype end = model_.lines().lineEnd(line);
  if (x <= 0 || start == end) return start;
  const int at = shapedLine(line).xToCursor(x, QTextLine::CursorBetweenCharacters);
  return std::clamp<qsizetype>(start + at, start, end);
}

QRect ResultsBox::caretRect(qsizetype position) const {
  const qsizetype line = model_.lines().lineOf(position);
  const int y = kMargin + int(line - firstVisibleLine()) * lineHeight();
  const int x = kMargin - horizontalScrollBar()->value() + lineX(line, position);
  return QRect(x, y, 1, lineHeight());
}

qsizetype ResultsBox::positionAt(QPoint point) const {
  const int offset = point.y() - kMargin;
  const qsizetype rows = offset >= 0 ? offset / lineHeight() : -1 - (-offset - 1) / lineHeight();
  const qsizetype line =
      std::clamp<qsizetype>(firstVisibleLine() + rows, 0, model_.lines().lineCount() - 1);
  return positionInLine(line, point.x() - kMargin + horizontalScrollBar()->value());
}

void ResultsBox::noteLineWidth(qsizetype line) {
  if (line < 0 || line >= model_.lines().lineCount()) return;
  widest_ = std::max(widest_, QFontMetrics(font()).horizontalAdvance(model_.lines().line(line)));
}

void ResultsBox::updateScrollBars() {
  const int shown = visibleLineCount();
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, int(std::max<qsizetype>(0, model_.lines().lineCount() - shown)));
  vertical->setPageStep(shown);
  vertical->setSingleStep(1);
  QScrollBar* horizontal = horizontalScrollBar();
  const int caret = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
  horizontal->setRange(0, std::max(0, widest_ + 2 * kMargin + caret - viewport()->width()));
  horizontal->setPageStep(viewport()->width());
  horizontal->setSingleStep(QFontMetrics(font()).averageCharWidth() * 2);
}

void ResultsBox::ensureCaretVisible(qsizetype position) {
  const qsizetype line = model_.lines().lineOf(position);
  QScrollBar* vertical = verticalScrollBar();
  const qsizetype shown = visibleLineCount();
  if (line < vertical->value())
    vertical->setValue(int(line));
  else if (line >= vertical->value() + shown)
    vertical->setValue(int(line - shown + 1));

  noteLineWidth(line);
  updateScrollBars();
  QScrollBar* horizontal = horizontalScrollBar();
  const int x = lineX(line, position);
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
      std::min(model_.lines().lineCount() - 1, first + viewport()->height() / height + 1);
  const qsizetype selectionFrom = std::min(model_.cursor(), model_.anchor());
  const qsizetype selectionTo = std::max(model_.cursor(), model_.anchor());
  const qsizetype caretLine = model_.lines().lineOf(model_.cursor());
  const int widestBefore = widest_;

  for (qsizetype line = first; line <= last; ++line) {
    const int top = kMargin + int(line - first) * height;
    const QRect band(0, top, viewport()->width(), height);
    if (!event->rect().intersects(band)) continue;
    const qsizetype start = model_.lines().lineStart(line);
    const qsizetype end = model_.lines().lineEnd(line);
    QString text = model_.lines().line(line);
    widest_ = std::max(widest_, metrics.horizontalAdvance(text));
    const int baseline = top + ascent_;
    painter.setPen(colours.color(QPalette::Text));

    if (line == caretLine && !preedit_.isEmpty()) {
      // The input method's composition, underlined in place at the caret.
      const qsizetype at = model_.cursor() - start;
      const int x = left + lineX(line, model_.cursor());
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
    QRect caret = caretRect(model_.cursor());
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
    noteLineWidth(model_.lines().longestLine());
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
  viewport()->update(caretRect(model_.cursor()).adjusted(-1, 0, 2, 0));
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
      const int keepX = preferredX_ >= 0
                            ? preferredX_
                            : lineX(model_.lines().lineOf(model_.cursor()), model_.cursor());
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
    if (!hasSelection()) model_.select(model_.previousPosition(model_.cursor()), model_.cursor());
    removeSelection();
  } else if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
    if (!hasSelection()) model_.select(model_.nextPosition(model_.cursor()), model_.cursor());
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
      const qsizetype line = model_.lines().lineOf(model_.cursor());
      const qsizetype from =
          std::clamp<qsizetype>(model_.cursor() + event->replacementStart(),
                                model_.lines().lineStart(line), model_.lines().lineEnd(line));
      model_.select(std::min(from + event->replacementLength(), model_.lines().lineEnd(line)),
                    from);
    }
    insertText(commit);
  }
  preedit_ = event->preeditString();
  viewport()->update();
}

QVariant ResultsBox::inputMethodQuery(Qt::InputMethodQuery query) const {
  const qsizetype line = model_.lines().lineOf(model_.cursor());
  const qsizetype start = model_.lines().lineStart(line);
  switch (query) {
    case Qt::ImEnabled:
      return true;
    case Qt::ImCursorRectangle:
      return caretRect(model_.cursor()).translated(viewport()->pos());
    case Qt::ImFont:
      return font();
    case Qt::ImCursorPosition:
      return int(model_.cursor() - start);
    case Qt::ImAnchorPosition:
      return int(std::clamp<qsizetype>(model_.anchor(), start, model_.lines().lineEnd(line)) -
                 start);
    case Qt::ImSurroundingText:
      return model_.lines().line(line);
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
  const auto [from, to] = model_.wordAround(model_.cursor());
  model_.select(from, model_.cursor());
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
      ->setEnabled(model_.lines().size() > 0);
  menu.exec(event->globalPos());
}

// ---------------------------------------------------------------- accessibility

void ResultsBox::accessibleCaretMoved() {
  if (!QAccessible::isActive()) return;
  QAccessibleTextCursorEvent event(this, int(model_.cursor()));
  QAccessible::updateAccessibility(&event);
}

}  // namespace tarnvel
