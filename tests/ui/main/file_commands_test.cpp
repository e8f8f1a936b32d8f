// The file commands of the main window, run on stand-in controls with the
// dialogs and message boxes answered by fakes.
#include "ui/main/file_commands.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "fakes.h"
#include "test_files.h"
#include "ui/common/file_dialog.h"
#include "ui/main/results_box.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

const QStringList kInitialElement = {"7586.707",  "7946.707", "3378605.445", "453648.704",
                                     "98.565562", "0",        "4500",        "1"};
const QString kInitialFileName = QStringLiteral("C:\\Documents and Settings\\Administrator\\桌面");

}  // namespace

class FileCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void exportThenImportGivesTheGeneralForm();
  void cancelledDialogsChangeNothing();
  void refusedImportKeepsTheFields();
  void failedExportIsReported();
  void emptyResultsBoxAsksForACalculation();
  void savesTheResultsTable();
  void savesALargeEditedBoxInPieces();
  void remembersTheNameAcrossAllThree();

 private:
  QStringList FieldTexts() const;

  std::unique_ptr<QWidget> window_;
  FileCommandControls controls_;
  FakeFileDialogs dialogs_;
  FakeMessageBoxes boxes_;
  SharedFileDialog* dialog_ = nullptr;  // a child of the window, as in the main window
  std::unique_ptr<QTemporaryDir> folder_;
};

void FileCommandsTest::init() {
  window_ = std::make_unique<QWidget>();  // deletes the previous window with its dialog
  for (size_t n = 0; n < 8; ++n) {
    controls_.elementFields[n] =
        new QLineEdit(kInitialElement[static_cast<qsizetype>(n)], window_.get());
    controls_.elementFields[n]->setObjectName(QStringLiteral("Text%1").arg(n + 1));
  }
  controls_.fileNameBox = new QLineEdit(kInitialFileName, window_.get());
  controls_.fileNameBox->setObjectName(QStringLiteral("txtFileName"));
  dialogs_ = FakeFileDialogs();
  boxes_ = FakeMessageBoxes();
  dialog_ = new SharedFileDialog(dialogs_, window_.get());
  folder_ = std::make_unique<QTemporaryDir>();
}

QStringList FileCommandsTest::FieldTexts() const {
  QStringList texts;
  for (QLineEdit* field : controls_.elementFields) texts << field->text();
  return texts;
}

void FileCommandsTest::exportThenImportGivesTheGeneralForm() {
  const QString path = folder_->filePath(QStringLiteral("线元"));  // no extension added
  controls_.elementFields[4]->setText(QStringLiteral("1.50"));
  controls_.elementFields[7]->setText(QStringLiteral("12abc"));
  controls_.elementFields[5]->clear();
  dialogs_.answers = {path, path};
  ExportElement(window_.get(), *dialog_, boxes_, controls_);
  QVERIFY(QFile::exists(path));
  QCOMPARE(controls_.fileNameBox->text(), path);

  for (QLineEdit* field : controls_.elementFields) field->setText(QStringLiteral("9"));
  ImportElement(window_.get(), *dialog_, boxes_, controls_);
  QCOMPARE(FieldTexts(), (QStringList{"7586.707", "7946.707", "3378605.445", "453648.704", "1.5",
                                      "0", "4500", "12"}));
  QCOMPARE(dialogs_.kinds, (QStringList{"save", "open"}));
  QCOMPARE(dialogs_.fileTypes, (QStringList{kElementFileTypes, kElementFileTypes}));
  QCOMPARE(dialogs_.initialNames, (QStringList{QString(), path}));
  QVERIFY(boxes_.shown.isEmpty());
}

void FileCommandsTest::cancelledDialogsChangeNothing() {
  const QString path = folder_->filePath(QStringLiteral("element.txt"));
  dialogs_.answers = {path};
  ExportElement(window_.get(), *dialog_, boxes_, controls_);
  const QByteArray saved = ReadBytes(path);
  controls_.fileNameBox->setText(kInitialFileName);
  controls_.elementFields[0]->setText(QStringLiteral("1"));

  ExportElement(window_.get(), *dialog_, boxes_, controls_);
  ImportElement(window_.get(), *dialog_, boxes_, controls_);
  SaveResultsTable(window_.get(), *dialog_, boxes_, QStringLiteral("表"), controls_.fileNameBox);

  QCOMPARE(ReadBytes(path), saved);
  QCOMPARE(controls_.elementFields[0]->text(), QStringLiteral("1"));
  QCOMPARE(controls_.fileNameBox->text(), kInitialFileName);
  QCOMPARE(dialog_->fileName(), path);
  QCOMPARE(dialogs_.initialNames, (QStringList{QString(), path, path, path}));
  QVERIFY(boxes_.shown.isEmpty());
}

void FileCommandsTest::refusedImportKeepsTheFields() {
  const QString path =
      WriteBytes(folder_->filePath(QStringLiteral("short.txt")), "1\r\n2\r\n3\r\n");
  dialogs_.answers = {path};
  ImportElement(window_.get(), *dialog_, boxes_, controls_);
  QCOMPARE(FieldTexts(), kInitialElement);
  QCOMPARE(controls_.fileNameBox->text(), path);
  QCOMPARE(boxes_.shown.size(), 1);
  QCOMPARE(
      boxes_.shown[0].text,
      QStringLiteral("文件“%1”不足八行，不是线元数据文件！").arg(QDir::toNativeSeparators(path)));
  QCOMPARE(boxes_.shown[0].icon, MessageIcon::Exclamation);
  QCOMPARE(boxes_.shown[0].caption, QStringLiteral("提示"));
}

void FileCommandsTest::failedExportIsReported() {
  const QString path = folder_->filePath(QStringLiteral("missing/element.txt"));
  dialogs_.answers = {path};
  controls_.elementFields[2]->setText(QStringLiteral("3378605.445✓"));
  ExportElement(window_.get(), *dialog_, boxes_, controls_);
  QCOMPARE(controls_.fileNameBox->text(), path);
  QCOMPARE(boxes_.shown.size(), 1);
  QCOMPARE(boxes_.shown[0].text,
           QStringLiteral("无法保存文件“%1”：“起点坐标X”中的字符“✓”（U+2713）不能用GBK编码保存！")
               .arg(QDir::toNativeSeparators(path)));
  QCOMPARE(boxes_.shown[0].icon, MessageIcon::Exclamation);
}

void FileCommandsTest::emptyResultsBoxAsksForACalculation() {
  dialogs_.answers = {folder_->filePath(QStringLiteral("table.txt"))};
  SaveResultsTable(window_.get(), *dialog_, boxes_, QString(), controls_.fileNameBox);
  QVERIFY(dialogs_.kinds.isEmpty());
  QCOMPARE(boxes_.shown.size(), 1);
  QCOMPARE(boxes_.shown[0].text, QStringLiteral("请点击“点击计算”！"));
  QCOMPARE(boxes_.shown[0].icon, MessageIcon::Information);
  QCOMPARE(boxes_.shown[0].caption, QStringLiteral("提示"));
  QCOMPARE(controls_.fileNameBox->text(), kInitialFileName);
}

void FileCommandsTest::savesTheResultsTable() {
  const QString path = folder_->filePath(QStringLiteral("table.txt"));
  dialogs_.answers = {path};
  SaveResultsTable(window_.get(), *dialog_, boxes_, QStringLiteral(" "), controls_.fileNameBox);
  QCOMPARE(dialogs_.fileTypes, QStringList{kTableFileTypes});
  QCOMPARE(controls_.fileNameBox->text(), path);
  QVERIFY(boxes_.shown.isEmpty());
  const QByteArray bytes = ReadBytes(path);
  QVERIFY(bytes.contains("\r\n\r\n \r\n\r\n\r\n"));  // a box of one space is not empty
}

void FileCommandsTest::remembersTheNameAcrossAllThree() {
  const QString a = folder_->filePath(QStringLiteral("a.txt"));
  const QString b = folder_->filePath(QStringLiteral("b.txt"));
  dialogs_.answers = {a, b, QString(), QString()};
  ExportElement(window_.get(), *dialog_, boxes_, controls_);
  SaveResultsTable(window_.get(), *dialog_, boxes_, QStringLiteral("x"), controls_.fileNameBox);
  ImportElement(window_.get(), *dialog_, boxes_, controls_);
  ExportElement(window_.get(), *dialog_, boxes_, controls_);
  QCOMPARE(dialogs_.initialNames, (QStringList{QString(), a, b, b}));
  QCOMPARE(window_->findChild<SharedFileDialog*>(QStringLiteral("CDg1")), dialog_);
}

QTEST_MAIN(FileCommandsTest)
#include "file_commands_test.moc"

// The box is saved a megabyte at a time so that a million-row table is never
// made whole as UTF-16; the file must still hold every line once, edits and
// the line breaks at the piece boundaries included.
void FileCommandsTest::savesALargeEditedBoxInPieces() {
  std::string table;
  for (int i = 0; i < 60000; ++i)
    table +=
        "07+" + std::to_string(100000 + i) + ".000  0  0  3378568.396  453860.095  98°2ˊ3.4″\r\n";
  ResultsBox box;
  box.setTableUtf8(table);
  QVERIFY(box.textLength() > 3 * (1 << 20));
  box.setCursorPosition(1 << 20);
  box.moveCursor(QTextCursor::StartOfLine);
  box.insertText(QStringLiteral("改"));
  const QString whole_path = folder_->filePath(QStringLiteral("whole.txt"));
  const QString pieces_path = folder_->filePath(QStringLiteral("pieces.txt"));
  dialogs_.answers = {whole_path, pieces_path};
  SaveResultsTable(window_.get(), *dialog_, boxes_, box.tableText(), controls_.fileNameBox);
  SaveResultsTable(window_.get(), *dialog_, boxes_, box, controls_.fileNameBox);
  QVERIFY(boxes_.shown.isEmpty());
  const QByteArray whole = ReadBytes(whole_path);
  QVERIFY(whole.size() > 3 * (1 << 20));
  QVERIFY(ReadBytes(pieces_path) == whole);
}
