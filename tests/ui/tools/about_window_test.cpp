#include "ui/tools/about_window.h"

#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QTest>

#include "fakes.h"
#include "ui/main/single_window.h"
#include "window_test_support.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

QLabel* LabelOf(QWidget* window, const char* name) {
  auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
  if (!label) qFatal("no label %s", name);
  return label;
}

}  // namespace

class AboutWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    boxes_ = FakeMessageBoxes();
    platform_ = FakePlatform();
    window_ = new AboutWindow(boxes_, platform_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
  }
  void cleanup() { delete window_; }

  void showsVersionAndAddress() {
    QCOMPARE(window_->objectName(), QStringLiteral("AAbout"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("关于本软件"));
    QCOMPARE(LabelOf(window_, "Label1")->text(), QStringLiteral("版本：V 1.00.10"));
    QCOMPARE(LabelOf(window_, "Label5")->text(), QStringLiteral("网址：tarnvel.example.org/soft"));
    QVERIFY(LabelOf(window_, "Label3")->text().startsWith(QStringLiteral("   ")));
    QCOMPARE(LabelOf(window_, "Label3")->parentWidget()->objectName(), QStringLiteral("Frame1"));
    // The emblem comes from the library's resources.
    QVERIFY(!LabelOf(window_, "Image1")->pixmap().isNull());
  }

  void clickOpensTheMakersPage_data() {
    QTest::addColumn<QByteArray>("control");
    QTest::newRow("picture") << QByteArray("Image1");
    QTest::newRow("web_line") << QByteArray("Label5");
  }
  void clickOpensTheMakersPage() {
    QFETCH(QByteArray, control);
    QTest::mouseClick(LabelOf(window_, control), Qt::LeftButton);
    QCOMPARE(platform_.pages, QList<QUrl>({kHelpPage}));
    QVERIFY(boxes_.shown.isEmpty());
    QVERIFY(window_->isVisible());
  }

  void otherClicksDoNothing() {
    QTest::mouseClick(LabelOf(window_, "Label1"), Qt::LeftButton);
    QTest::mouseClick(LabelOf(window_, "Label4"), Qt::LeftButton);
    QTest::mouseClick(window_->findChild<QGroupBox*>(QStringLiteral("Frame1")), Qt::LeftButton);
    QTest::mouseClick(window_, Qt::LeftButton, {}, QPoint(window_->width() - 2, 2));
    QTest::mouseClick(LabelOf(window_, "Image1"), Qt::RightButton);
    QVERIFY(platform_.calls.isEmpty());
  }

  void browserThatCannotStartIsReported() {
    platform_.fail = true;
    QTest::mouseClick(LabelOf(window_, "Label5"), Qt::LeftButton);
    QCOMPARE(platform_.pages, QList<QUrl>({kHelpPage}));
    QCOMPARE(boxes_.shown.size(), 1);
    QCOMPARE(boxes_.shown[0].text,
             QStringLiteral("无法打开浏览器，请手动访问网址：https://tarnvel.example.org/soft！"));
    QCOMPARE(boxes_.shown[0].icon, MessageIcon::Exclamation);
    QCOMPARE(boxes_.shown[0].caption, QStringLiteral("提示"));
    QVERIFY(window_->isVisible());
  }

  void opensAtMostOnce() {
    QPointer<AboutWindow> slot;
    AboutWindow* first = ShowSingleWindow(slot, boxes_, platform_);
    QCOMPARE(ShowSingleWindow(slot, boxes_, platform_), first);
    QPointer<AboutWindow> closed = first;
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(closed.isNull());
    AboutWindow* second = ShowSingleWindow(slot, boxes_, platform_);
    QVERIFY(second->isVisible());
    delete second;
  }

 private:
  FakeMessageBoxes boxes_;
  FakePlatform platform_;
  AboutWindow* window_ = nullptr;
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
