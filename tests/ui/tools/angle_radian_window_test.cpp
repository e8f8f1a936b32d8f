#include "ui/tools/angle_radian_window.h"

#include <QPointer>
#include <QTest>

#include "fakes.h"
#include "ui/main/single_window.h"
#include "window_test_support.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

const QStringList kBoxes = {"Text1", "Text2", "Text3", "Text4"};

QStringList Texts(QWidget* window) {
  QStringList texts;
  for (const QString& name : kBoxes) texts << Box(window, name.toLatin1())->text();
  return texts;
}

void SetTexts(QWidget* window, const QStringList& texts) {
  for (qsizetype i = 0; i < kBoxes.size(); ++i)
    Box(window, kBoxes[i].toLatin1())->setText(texts[i]);
}

}  // namespace

class AngleRadianWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    boxes_ = FakeMessageBoxes();
    window_ = new AngleRadianWindow(boxes_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
  }
  void cleanup() { delete window_; }

  void opensWithDesignTexts() {
    QCOMPARE(window_->objectName(), QStringLiteral("角度转弧度"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("角度弧度换算"));
    QCOMPARE(Texts(window_), QStringList({"10", "20", "30", "0"}));
  }

  void tabOrder() {
    QCOMPARE(TabOrder(window_),
             QStringList({"Text1", "Text2", "Text3", "Text4", "Command3", "Command1", "Command2"}));
  }

  void convertsEitherWay_data() {
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("design_texts") << QStringList{"10", "20", "30", "0"} << QByteArray("Command1")
                                  << QStringList{"10", "20", "30", "0.180496133"};
    QTest::newRow("75_minutes") << QStringList{"10", "75", "0", ""} << QByteArray("Command1")
                                << QStringList{"10", "75", "0", "0.196349541"};
    // The seconds are cut to tenths, never raised: 29.9, not 30.
    QTest::newRow("back") << QStringList{"1", "2", "3", "0.180496133"} << QByteArray("Command2")
                          << QStringList{"10", "20", "29.9", "0.180496133"};
    QTest::newRow("negative") << QStringList{"", "", "", "-0.1"} << QByteArray("Command2")
                              << QStringList{"-6", "16", "13.5", "-0.1"};
  }
  void convertsEitherWay() {
    QFETCH(QStringList, before);
    QFETCH(QByteArray, button);
    QFETCH(QStringList, after);
    SetTexts(window_, before);
    Click(window_, button);
    QCOMPARE(Texts(window_), after);
    QVERIFY(boxes_.shown.isEmpty());
  }

  void refusalChangesNothing_data() {
    QTest::addColumn<QStringList>("texts");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QString>("message");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QString>("focus");
    QTest::newRow("seconds_blank") << QStringList{"10", "20", " ", "1"} << QByteArray("Command1")
                                   << "数据未输入完整！" << MessageIcon::Information << "Text1";
    QTest::newRow("radians_blank") << QStringList{"10", "20", "30", ""} << QByteArray("Command2")
                                   << "数据未输入完整！" << MessageIcon::Information << "Text4";
    QTest::newRow("minutes_not_a_number")
        << QStringList{"10", "abc", "30", "1"} << QByteArray("Command1")
        << "输入“分”不是有效的数字！" << MessageIcon::Exclamation << "Text2";
    QTest::newRow("radians_not_a_number")
        << QStringList{"10", "20", "30", "abc"} << QByteArray("Command2")
        << "输入“弧度”不是有效的数字！" << MessageIcon::Exclamation << "Text4";
    // Each box a refusal can name gets the focus back.
    QTest::newRow("degrees_not_a_number")
        << QStringList{"1o", "20", "30", "1"} << QByteArray("Command1")
        << "输入“度”不是有效的数字！" << MessageIcon::Exclamation << "Text1";
    QTest::newRow("seconds_not_a_number")
        << QStringList{"10", "20", "3o", "1"} << QByteArray("Command1")
        << "输入“秒”不是有效的数字！" << MessageIcon::Exclamation << "Text3";
  }
  void refusalChangesNothing() {
    QFETCH(QStringList, texts);
    QFETCH(QByteArray, button);
    QFETCH(QString, message);
    QFETCH(MessageIcon, icon);
    QFETCH(QString, focus);
    SetTexts(window_, texts);
    Click(window_, button);
    QCOMPARE(boxes_.shown.size(), 1);
    QCOMPARE(boxes_.shown[0].text, message);
    QCOMPARE(boxes_.shown[0].icon, icon);
    QCOMPARE(boxes_.shown[0].caption, QStringLiteral("提示"));
    QCOMPARE(FocusName(window_), focus);
    QCOMPARE(Texts(window_), texts);
  }

  void clearEmptiesTheFourBoxes() {
    Box(window_, "Text2")->setFocus();
    // click() rather than a mouse click, which would move the focus itself.
    window_->findChild<QPushButton*>(QStringLiteral("Command3"))->click();
    QCOMPARE(Texts(window_), QStringList(4, QString()));
    QCOMPARE(FocusName(window_), QStringLiteral("Text2"));
    Click(window_, "Command2");
    Click(window_, "Command1");
    QCOMPARE(boxes_.shown.size(), 2);
    QCOMPARE(boxes_.shown[1].text, QStringLiteral("数据未输入完整！"));
  }

  void opensAtMostOnce() {
    QPointer<AngleRadianWindow> slot;
    AngleRadianWindow* first = ShowSingleWindow(slot, boxes_);
    Click(first, "Command1");
    QCOMPARE(ShowSingleWindow(slot, boxes_), first);
    QCOMPARE(Box(first, "Text4")->text(), QStringLiteral("0.180496133"));

    QPointer<AngleRadianWindow> closed = first;
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(closed.isNull());
    QVERIFY(slot.isNull());
    AngleRadianWindow* second = ShowSingleWindow(slot, boxes_);
    QCOMPARE(Texts(second), QStringList({"10", "20", "30", "0"}));
    delete second;
  }

 private:
  FakeMessageBoxes boxes_;
  AngleRadianWindow* window_ = nullptr;
};

QTEST_MAIN(AngleRadianWindowTest)
#include "angle_radian_window_test.moc"
