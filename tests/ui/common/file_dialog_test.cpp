// The name a save dialog gives the file for the type the user chose.
#include "ui/common/file_dialog.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>

#include "test_files.h"

using namespace tarnvel;
using tarnvel::testing_support::WriteBytes;

class FileDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void nameGetsTheTypesSuffix_data();
  void nameGetsTheTypesSuffix();
  void realDialogAsksAboutTheNameItWrites();
};

namespace {

// Runs `act` on the first visible top-level widget of type T once it shows.
template <class T, class Act>
void WhenShown(Act act) {
  QTimer::singleShot(100, [act] {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* found = qobject_cast<T*>(widget); found && found->isVisible()) return act(found);
    WhenShown<T>(act);
  });
}

}  // namespace

void FileDialogTest::nameGetsTheTypesSuffix_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("type");
  QTest::addColumn<QString>("named");
  const QString csv = QStringLiteral("表(*.csv)");
  const QString several = QStringLiteral("表(*.txt *.csv *.dat)");
  QTest::newRow("bare") << "/d/pts" << csv << "/d/pts.csv";
  QTest::newRow("own_suffix") << "/d/pts.csv" << csv << "/d/pts.csv";
  QTest::newRow("own_suffix_upper_case") << "/d/pts.CSV" << csv << "/d/pts.CSV";
  QTest::newRow("other_suffix") << "/d/pts.txt" << csv << "/d/pts.txt.csv";
  QTest::newRow("station_with_decimals") << "/d/K1+100.5" << csv << "/d/K1+100.5.csv";
  QTest::newRow("trailing_dot") << "/d/pts." << csv << "/d/pts.csv";
  QTest::newRow("dotted_folder") << "/d/v1.2/pts" << csv << "/d/v1.2/pts.csv";
  QTest::newRow("several_bare_takes_first") << "/d/road" << several << "/d/road.txt";
  QTest::newRow("several_last_kept") << "/d/road.dat" << several << "/d/road.dat";
  QTest::newRow("any_name_type") << "/d/road"
                                 << "所有文件(*.*)"
                                 << "/d/road";
  QTest::newRow("star_type") << "/d/road"
                             << "所有文件(*)"
                             << "/d/road";
  QTest::newRow("no_patterns") << "/d/road"
                               << "表"
                               << "/d/road";
}

void FileDialogTest::nameGetsTheTypesSuffix() {
  QFETCH(QString, typed);
  QFETCH(QString, type);
  QFETCH(QString, named);
  QCOMPARE(WithTypeSuffix(typed, type), named);
}

// Regression: a name typed with a dot ("K1+100.5") got its suffix only after
// the dialog had closed, as the name box kept the typed text while it had
// the focus, so the dialog never asked before replacing "K1+100.5.csv".
void FileDialogTest::realDialogAsksAboutTheNameItWrites() {
  QTemporaryDir dir;
  const QString existing = WriteBytes(dir.filePath(QStringLiteral("K1+100.5.csv")), {});
  QStringList asked;
  WhenShown<QFileDialog>([&asked](QFileDialog* dialog) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    // Typed as a user types: the window active, the focus in the name box.
    dialog->activateWindow();
    // Offscreen, activation may not be reported; the focus below is what
    // the name box needs.
    (void)QTest::qWaitForWindowActive(dialog);
    name->setFocus();
    name->setText(QStringLiteral("K1+100.5"));
    WhenShown<QMessageBox>([&asked](QMessageBox* box) {
      asked << box->text();
      box->button(QMessageBox::Yes)->click();
    });
    QTest::keyClick(name, Qt::Key_Return);
  });
  QtFileDialogs dialogs;
  QString type;
  const QString path =
      dialogs.getSaveFileName(nullptr, QStringLiteral("表(*.csv)"), dir.path() + '/', &type);
  QCOMPARE(path, existing);
  QCOMPARE(asked.size(), 1);
  QVERIFY2(asked[0].contains(QStringLiteral("K1+100.5.csv")), qPrintable(asked[0]));
}

QTEST_MAIN(FileDialogTest)
#include "file_dialog_test.moc"
