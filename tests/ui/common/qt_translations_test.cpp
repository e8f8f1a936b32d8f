// Qt's own words in the message boxes: Chinese where Qt's translations are
// installed, English without a fault where they are not.
#include "ui/common/qt_translations.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/common/message_boxes.h"

using tarnvel::InstallQtChinese;

namespace {

// The text of the OK button of the box QtMessageBoxes shows, read while the
// box is open, then the box is closed.
QString OkButtonText() {
  QString text;
  QTimer::singleShot(0, [&text] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    text = box->button(QMessageBox::Ok)->text();
    box->accept();
  });
  tarnvel::QtMessageBoxes boxes;
  boxes.show(nullptr, QStringLiteral("已保存"), tarnvel::MessageIcon::Information,
             tarnvel::kMessageCaption);
  return text;
}

}  // namespace

class QtTranslationsTest : public QObject {
  Q_OBJECT

 private slots:
  void missingTranslationsLeaveEnglish();
  void okButtonReadsChinese();
};

void QtTranslationsTest::missingTranslationsLeaveEnglish() {
  QVERIFY(!InstallQtChinese(*qApp, QDir::temp().filePath(QStringLiteral("no-such-folder"))));
  QCOMPARE(OkButtonText(), QStringLiteral("OK"));
}

// Pins the message boxes' button reading "OK" in a program whose every other
// word is Chinese. The translations are among the packages the scripts
// install, so their absence fails here: a skip would pass unseen.
void QtTranslationsTest::okButtonReadsChinese() {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  QVERIFY2(QFileInfo::exists(folder + QStringLiteral("/qtbase_zh_CN.qm")),
           "Qt's Chinese translations are missing: scripts/install-deps installs them");
  QVERIFY(InstallQtChinese(*qApp));
  QCOMPARE(OkButtonText(), QStringLiteral("确定"));
}

QTEST_MAIN(QtTranslationsTest)
#include "qt_translations_test.moc"
