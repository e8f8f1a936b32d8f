// The results box Text12 as the user and the table file meet it: the text
// set and read back byte for byte, editing by keyboard, mouse, clipboard and
// input method, the caret over Chinese and Latin text, and long tables.
#include "ui/main/results_box.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

using tarnvel::ResultsBox;

namespace {

const QString kHeaderLine =
    QStringLiteral("里程  偏距 偏角    坐标X       坐标Y       切线方位角F\r\n");

QString Rows(int count) {
  QString text = kHeaderLine;
  for (int i = 0; i < count; ++i)
    text += QStringLiteral("%1   0  90  3378603.377  453661.835   98°57ˊ6.87″\r\n").arg(7600 + i);
  return text;
}

}  // namespace

class ResultsBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void textReadsBackWithCrLf_data();
  void textReadsBackWithCrLf();
  void utf8TableReadsBackAndEdits_data();
  void utf8TableReadsBackAndEdits();
  void undoTakesBackEdits();
  void keysEdit_data();
  void keysEdit();
  void inputMethodCommitsChinese();
  void mousePlacesCaretAndSelects();
  void copyGivesCrLfText();
  void tabLeavesTheBox();
  void longTableScrollsToItsLastLine();
  void caretReachesTheEndOfAVeryLongLine();
  void screenReaderSeesEditableText();

 private:
  std::unique_ptr<QWidget> window_;
  ResultsBox* box_ = nullptr;
  QLineEdit* next_ = nullptr;
};

void ResultsBoxTest::init() {
  window_ = std::make_unique<QWidget>();
  auto* layout = new QVBoxLayout(window_.get());
  box_ = new ResultsBox;
  next_ = new QLineEdit;
  layout->addWidget(box_);
  layout->addWidget(next_);
  window_->resize(380, 200);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
  window_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  box_->setFocus();
}

void ResultsBoxTest::textReadsBackWithCrLf_data() {
  QTest::addColumn<QString>("set");
  QTest::addColumn<QString>("read");
  QTest::newRow("header_line") << kHeaderLine << kHeaderLine;
  QTest::newRow("table") << Rows(30) << Rows(30);
  QTest::newRow("empty") << QString() << QString();
  QTest::newRow("no_line_end") << "7600"
                               << "7600";
  QTest::newRow("LF") << "a\nb\n"
                      << "a\r\nb\r\n";
  QTest::newRow("lone_CR") << "a\rb"
                           << "a\r\nb";
  QTest::newRow("CR_CR_LF") << "a\r\r\nb"
                            << "a\r\n\r\nb";
  QTest::newRow("blank_lines") << "\n\r\n\n"
                               << "\r\n\r\n\r\n";
  QTest::newRow("beyond_the_first_plane") << QStringLiteral("a😀\n°") << QStringLiteral("a😀\r\n°");
}

void ResultsBoxTest::textReadsBackWithCrLf() {
  QFETCH(QString, set);
  QFETCH(QString, read);
  box_->setTableText(set);
  QCOMPARE(box_->tableText(), read);
  QCOMPARE(box_->tableText().toUtf8(), read.toUtf8());
  QCOMPARE(box_->toPlainText(), QString(read).replace("\r\n", "\n"));
  QCOMPARE(box_->cursorPosition(), 0);
}

// A computed table is kept as the UTF-8 it came in; what the box shows, gives
// back and edits must be exactly the decoded text, whatever the bytes.
void ResultsBoxTest::utf8TableReadsBackAndEdits_data() {
  QTest::addColumn<QByteArray>("bytes");
  QTest::newRow("table") << Rows(3).toUtf8();
  QTest::newRow("beyond_the_first_plane") << QByteArray(
      "a\xF0\x9D\x91\xA5"
      "b\r\n\xF0\x9D\x91\xA5\r\nc");
  QTest::newRow("LF_ends") << QByteArray("7600\n7610\n");
  QTest::newRow("not_UTF_8") << QByteArray(
      "76\xC0"
      "00\r\n\xFF\r\n\xE9\x87");
  QTest::newRow("byte_order_mark") << QByteArray("\xEF\xBB\xBF里程\r\n7600");
  QTest::newRow("empty") << QByteArray();
}

void ResultsBoxTest::utf8TableReadsBackAndEdits() {
  QFETCH(QByteArray, bytes);
  QString expected = QString::fromUtf8(bytes);
  expected.replace(QLatin1String("\r\n"), QLatin1String("\n"))
      .replace(u'\n', QLatin1String("\r\n"));
  box_->setTableUtf8(bytes.toStdString());
  QCOMPARE(box_->tableText(), expected);
  QCOMPARE(box_->textLength(), expected.size());
  // Down, End, a character typed and Ctrl+Shift+End: the same as in the text.
  QTest::keyClick(box_, Qt::Key_Down);
  QTest::keyClick(box_, Qt::Key_End);
  QTest::keyClicks(box_, QStringLiteral("x"));
  // The end of the second line, or of the only one.
  qsizetype at = expected.indexOf(u'\r', expected.indexOf(u'\n') + 1);
  if (at < 0) at = expected.size();
  expected.insert(at, u'x');
  QCOMPARE(box_->tableText(), expected);
  QTest::keyClick(box_, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(box_->selectedText(), expected.sliced(at + 1));
  QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(box_->tableText(), expected.remove(at, 1));
}

// Each row: the text, where the caret starts, the keys, the text after them
// and where the caret ends.
void ResultsBoxTest::keysEdit_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<int>("caret");
  QTest::addColumn<QTestEventList>("keys");
  QTest::addColumn<QString>("after");
  QTest::addColumn<int>("caretAfter");

  auto keys = [](std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> list) {
    QTestEventList events;
    for (const auto& [key, modifiers] : list) events.addKeyClick(key, modifiers);
    return events;
  };
  const Qt::KeyboardModifiers none = Qt::NoModifier;
  const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;

  QTestEventList typed = keys({{Qt::Key_End, none}});
  typed.addKeyClicks("9.5");
  QTest::newRow("typing_at_a_line_end") << "7600\r\n7610" << 0 << typed << "76009.5\r\n7610" << 7;
  QTest::newRow("Enter_splits_a_line")
      << "ab\r\ncd" << 1 << keys({{Qt::Key_Return, none}}) << "a\r\nb\r\ncd" << 3;
  QTest::newRow("Enter_at_the_end")
      << kHeaderLine << 0 << keys({{Qt::Key_End, ctrl}, {Qt::Key_Enter, none}})
      << kHeaderLine + "\r\n"
      << int(kHeaderLine.size()) + 2;
  QTest::newRow("Backspace_joins_lines")
      << "ab\r\ncd" << 4 << keys({{Qt::Key_Backspace, none}}) << "abcd" << 2;
  QTest::newRow("Delete_joins_lines")
      << "ab\r\ncd" << 2 << keys({{Qt::Key_Delete, none}}) << "abcd" << 2;
  QTest::newRow("Backspace_at_the_start")
      << "ab" << 0 << keys({{Qt::Key_Backspace, none}}) << "ab" << 0;
  QTest::newRow("Delete_at_the_end") << "ab\r\n"
                                     << 4 << keys({{Qt::Key_Delete, none}}) << "ab\r\n"
                                     << 4;
  QTest::newRow("Backspace_a_Chinese_character")
      << "里程\r\n"
      << 2 << keys({{Qt::Key_Backspace, none}}) << "里\r\n"
      << 1;
  QTest::newRow("Right_over_a_line_end")
      << "里程\r\nab" << 2 << keys({{Qt::Key_Right, none}}) << "里程\r\nab" << 4;
  QTest::newRow("Left_over_a_line_end")
      << "里程\r\nab" << 4 << keys({{Qt::Key_Left, none}}) << "里程\r\nab" << 2;
  // Two Chinese characters are as wide as four digits.
  QTest::newRow("Down_under_Chinese")
      << "里程  偏距\r\n7600   0" << 2 << keys({{Qt::Key_Down, none}}) << "里程  偏距\r\n7600   0"
      << 12;
  QTest::newRow("Up_over_Chinese") << "里程  偏距\r\n7600   0" << 14 << keys({{Qt::Key_Up, none}})
                                   << "里程  偏距\r\n7600   0" << 4;
  QTest::newRow("Down_to_a_shorter_line_and_on")
      << "abcdef\r\nab\r\nabcdefgh" << 6 << keys({{Qt::Key_Down, none}, {Qt::Key_Down, none}})
      << "abcdef\r\nab\r\nabcdefgh" << 18;
  QTest::newRow("Down_on_the_last_line")
      << "ab\r\ncd" << 4 << keys({{Qt::Key_Down, none}}) << "ab\r\ncd" << 6;
  QTest::newRow("Home_and_End") << "ab\r\ncde" << 5 << keys({{Qt::Key_Home, none}}) << "ab\r\ncde"
                                << 4;
  QTest::newRow("Ctrl_Home") << "ab\r\ncde" << 5 << keys({{Qt::Key_Home, ctrl}}) << "ab\r\ncde"
                             << 0;
  QTest::newRow("PageDown_to_the_end")
      << Rows(3) << 0 << keys({{Qt::Key_PageDown, none}, {Qt::Key_PageDown, none}}) << Rows(3)
      << int(Rows(3).size());
  QTest::newRow("Shift_Right_and_Delete")
      << "abcd" << 0
      << keys({{Qt::Key_Right, shift}, {Qt::Key_Right, shift}, {Qt::Key_Delete, none}}) << "cd"
      << 0;
  QTest::newRow("Shift_Down_and_Backspace")
      << "ab\r\ncd" << 1 << keys({{Qt::Key_Down, shift}, {Qt::Key_Backspace, none}}) << "ad" << 1;
  QTest::newRow("Ctrl_A_and_Delete_empty_the_box")
      << Rows(5) << 7 << keys({{Qt::Key_A, ctrl}, {Qt::Key_Delete, none}}) << QString() << 0;
  QTest::newRow("cut_and_paste_move_a_line")
      << "ab\r\ncd" << 0
      << keys({{Qt::Key_End, shift}, {Qt::Key_X, ctrl}, {Qt::Key_End, ctrl}, {Qt::Key_V, ctrl}})
      << "\r\ncdab" << 6;
  QTest::newRow("copy_all_and_paste_twice") << "ab" << 0
                                            << keys({{Qt::Key_A, ctrl},
                                                     {Qt::Key_C, ctrl},
                                                     {Qt::Key_Right, none},
                                                     {Qt::Key_Return, none},
                                                     {Qt::Key_V, ctrl},
                                                     {Qt::Key_V, ctrl}})
                                            << "ab\r\nabab" << 8;
}

void ResultsBoxTest::keysEdit() {
  QFETCH(QString, text);
  QFETCH(int, caret);
  QFETCH(QTestEventList, keys);
  QFETCH(QString, after);
  QFETCH(int, caretAfter);
  box_->setTableText(text);
  box_->setCursorPosition(caret);
  keys.simulate(box_);
  QCOMPARE(box_->tableText(), after);
  QCOMPARE(box_->cursorPosition(), caretAfter);
  QVERIFY(!box_->hasSelection());
}

// Select-all and one key would otherwise lose a computed table for good.
void ResultsBoxTest::undoTakesBackEdits() {
  const QString table = kHeaderLine + "\r\n7600   0  90  3378603.377  453661.835   98°57ˊ6.87″\r\n";
  box_->setTableText(table);
  QVERIFY(!box_->canUndo());
  QTest::keyClick(box_, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(box_, Qt::Key_X);
  QCOMPARE(box_->tableText(), QStringLiteral("x"));
  QTest::keyClick(box_, Qt::Key_End);
  QTest::keyClicks(box_, "yz");
  QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(box_->tableText(), QStringLiteral("x"));
  QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);
  QCOMPARE(box_->tableText(), table);
  QCOMPARE(box_->selectedText(), table);  // the selection is back as it was
  QVERIFY(!box_->canUndo());
  QTest::keyClick(box_, Qt::Key_Z, Qt::ControlModifier);  // nothing left: no change
  QCOMPARE(box_->tableText(), table);
}

void ResultsBoxTest::inputMethodCommitsChinese() {
  box_->setTableText(kHeaderLine + "7600   0  90\r\n");
  box_->moveCursor(QTextCursor::End);
  QInputMethodEvent composing(QStringLiteral("beizhu"), {});
  QApplication::sendEvent(box_, &composing);
  QCOMPARE(box_->tableText(), kHeaderLine + "7600   0  90\r\n");  // nothing until committed
  QInputMethodEvent committed;
  committed.setCommitString(QStringLiteral("备注"));
  QApplication::sendEvent(box_, &committed);
  QCOMPARE(box_->tableText(), kHeaderLine + "7600   0  90\r\n备注");
  QCOMPARE(box_->inputMethodQuery(Qt::ImSurroundingText).toString(), QStringLiteral("备注"));
  QCOMPARE(box_->inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
  QVERIFY(box_->inputMethodQuery(Qt::ImCursorRectangle).toRect().isValid());
}

void ResultsBoxTest::mousePlacesCaretAndSelects() {
  box_->setTableText(kHeaderLine + "7600   0  90\r\n");
  const int onSecondLine = int(kHeaderLine.size()) + 2;  // after "76"
  const QPoint at = box_->caretRect(onSecondLine).center() + QPoint(1, 0);
  QTest::mouseClick(box_->viewport(), Qt::LeftButton, {}, at);
  QCOMPARE(box_->cursorPosition(), onSecondLine);
  QTest::keyClicks(box_, "x");
  QCOMPARE(box_->tableText(), kHeaderLine + "76x00   0  90\r\n");

  // A drag from "里" to before "偏" selects "里程  ".
  QTest::mousePress(box_->viewport(), Qt::LeftButton, {},
                    box_->caretRect(0).center() + QPoint(1, 0));
  QMouseEvent move(QEvent::MouseMove, box_->caretRect(4).center() + QPoint(1, 0),
                   box_->viewport()->mapToGlobal(box_->caretRect(4).center() + QPoint(1, 0)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(box_->viewport(), &move);
  QTest::mouseRelease(box_->viewport(), Qt::LeftButton, {},
                      box_->caretRect(4).center() + QPoint(1, 0));
  QCOMPARE(box_->selectedText(), QStringLiteral("里程  "));
}

void ResultsBoxTest::copyGivesCrLfText() {
  box_->setTableText(Rows(2));
  box_->selectAll();
  box_->copy();
  QCOMPARE(QGuiApplication::clipboard()->text(), Rows(2));
}

void ResultsBoxTest::tabLeavesTheBox() {
  box_->setTableText(kHeaderLine);
  QVERIFY(box_->hasFocus());
  QTest::keyClick(box_, Qt::Key_Tab);
  QVERIFY(next_->hasFocus());
  QCOMPARE(box_->tableText(), kHeaderLine);
}

// A long table: every line can be scrolled into view, the caret's line
// follows the caret, and a line wider than the box can be scrolled to.
void ResultsBoxTest::longTableScrollsToItsLastLine() {
  box_->setTableText(Rows(100'000) + QString(300, u'x'));
  QScrollBar* vertical = box_->verticalScrollBar();
  QVERIFY(vertical->isVisible());
  QCOMPARE(vertical->value(), 0);
  QCOMPARE(vertical->maximum() + vertical->pageStep(), 100'002);  // header, rows, empty last line
  QTest::keyClick(box_, Qt::Key_End, Qt::ControlModifier);
  QCOMPARE(vertical->value(), vertical->maximum());
  QTest::keyClick(box_, Qt::Key_Home, Qt::ControlModifier);
  QCOMPARE(vertical->value(), 0);
  QVERIFY(box_->horizontalScrollBar()->maximum() > 0);

  box_->setTableText(QStringLiteral("ab\r\n"));
  QCOMPARE(vertical->maximum(), 0);
  QCOMPARE(box_->horizontalScrollBar()->maximum(), 0);
}

// Pins the caret measuring every prefix of its line: Down into a pasted
// line of 200,000 characters, or a click at its end, took most of an hour.
void ResultsBoxTest::caretReachesTheEndOfAVeryLongLine() {
  const qsizetype end = 4 + 200'000;
  box_->setTableText(QStringLiteral("ab\r\n") + QString(200'000, u'7'));
  box_->moveCursor(QTextCursor::End);
  QTest::keyClick(box_, Qt::Key_Up);
  QCOMPARE(box_->cursorPosition(), 2);
  QTest::keyClick(box_, Qt::Key_Down);
  QCOMPARE(box_->cursorPosition(), end);
  QTest::keyClick(box_, Qt::Key_Left);
  const QRect caret = box_->caretRect(end);
  QVERIFY(box_->viewport()->rect().contains(caret.center()));
  QTest::mouseClick(box_->viewport(), Qt::LeftButton, {}, caret.center() + QPoint(2, 0));
  QCOMPARE(box_->cursorPosition(), end);
}

void ResultsBoxTest::screenReaderSeesEditableText() {
  box_->setAccessibleName(QStringLiteral("曲线坐标计算成果表"));
  box_->setTableText(Rows(1));
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(box_);
  QVERIFY(accessible);
  QCOMPARE(accessible->role(), QAccessible::EditableText);
  QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("曲线坐标计算成果表"));
  QVERIFY(accessible->state().editable && accessible->state().multiLine);
  QAccessibleTextInterface* text = accessible->textInterface();
  QVERIFY(text);
  QCOMPARE(text->characterCount(), int(Rows(1).size()));
  QCOMPARE(text->text(0, 2), QStringLiteral("里程"));
  text->setCursorPosition(2);
  QCOMPARE(box_->cursorPosition(), 2);
}

QTEST_MAIN(ResultsBoxTest)
#include "results_box_test.moc"
