#include "ui/tools/azimuth_window.h"

#include <QPointer>
#include <QTest>

#include "fakes.h"
#include "ui/main/single_window.h"
#include "window_test_support.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

namespace {

const QStringList kInputs = {"txtXa", "txtYa", "txtXb", "txtYb"};
const QStringList kOutputs = {"txtDu", "txtFen", "txtMiao", "txtS"};

QStringList Texts(QWidget* window, const QStringList& names) {
  QStringList texts;
  for (const QString& name : names) texts << Box(window, name.toLatin1())->text();
  return texts;
}

void SetTexts(QWidget* window, const QStringList& names, const QStringList& texts) {
  for (qsizetype i = 0; i < names.size(); ++i) Box(window, names[i].toLatin1())->setText(texts[i]);
}

}  // namespace

class AzimuthWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    boxes_ = FakeMessageBoxes();
    window_ = new AzimuthWindow(boxes_);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_));
  }
  void cleanup() { delete window_; }

  void opensWithDesignTexts() {
    QCOMPARE(window_->objectName(), QStringLiteral("方位角和距离"));
    QCOMPARE(window_->windowTitle(), QStringLiteral("求坐标方位角"));
    QCOMPARE(Texts(window_, kInputs),
             QStringList({"3367011.241", "463520.5531", "3366815.284", "463819.0273"}));
    QCOMPARE(Texts(window_, kOutputs), QStringList({"0", "0", "0", "0"}));
    QCOMPARE(FocusName(window_), QStringLiteral("txtXb"));
  }

  void tabOrder() {
    QCOMPARE(TabOrder(window_),
             QStringList({"txtXb", "txtYb", "txtXa", "txtYa", "txtDu", "txtFen", "txtMiao",
                          "Command1", "Command2", "Command3", "txtS"}));
  }

  void computeFillsTheOutputs_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QStringList>("outputs");
    QTest::newRow("defaults") << QStringList{"3367011.241", "463520.5531", "3366815.284",
                                             "463819.0273"}
                              << QStringList{"123", "17", "9", "357.0518"};
    QTest::newRow("north_west") << QStringList{"0", "0", "100", "-100"}
                                << QStringList{"314", "59", "59", "141.4214"};
    QTest::newRow("seconds_cut") << QStringList{"0", "0", "3", "4"}
                                 << QStringList{"53", "7", "48", "5.0000"};
    QTest::newRow("letters_are_0")
        << QStringList{"abc", "0", "-100", "0"} << QStringList{"180", "0", "0", "100.0000"};
  }
  void computeFillsTheOutputs() {
    QFETCH(QStringList, inputs);
    QFETCH(QStringList, outputs);
    SetTexts(window_, kInputs, inputs);
    Click(window_, "Command1");
    QCOMPARE(Texts(window_, kOutputs), outputs);
    QCOMPARE(Texts(window_, kInputs), inputs);
    QVERIFY(boxes_.shown.isEmpty());
  }

  void refusalLeavesTheOutputs_data() {
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("message");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("focus");
    QTest::newRow("blank_Yb") << QStringList{"1", "2", "3", "  "} << "数据未输入完整！"
                              << MessageIcon::Information << "提示"
                              << "txtXa";
    // The one message of the system without an icon and a caption of its own.
    QTest::newRow("due_east") << QStringList{"0", "0", "0", "100"}
                              << "除数为零，请检查坐标输入是否正确！" << MessageIcon::None << ""
                              << "txtXa";
    QTest::newRow("beyond_range") << QStringList{"0", "0", "1e999", "1"} << "输入“Xb”超出数值范围！"
                                  << MessageIcon::Exclamation << "提示"
                                  << "txtXb";
    // Each coordinate a refusal can name goes back to its own box.
    QTest::newRow("Xa_beyond_range")
        << QStringList{"1e999", "0", "0", "1"} << "输入“Xa”超出数值范围！"
        << MessageIcon::Exclamation << "提示"
        << "txtXa";
    QTest::newRow("Ya_beyond_range")
        << QStringList{"0", "1e999", "0", "1"} << "输入“Ya”超出数值范围！"
        << MessageIcon::Exclamation << "提示"
        << "txtYa";
    QTest::newRow("Yb_beyond_range")
        << QStringList{"0", "0", "1", "-1e999"} << "输入“Yb”超出数值范围！"
        << MessageIcon::Exclamation << "提示"
        << "txtYb";
  }
  void refusalLeavesTheOutputs() {
    QFETCH(QStringList, inputs);
    QFETCH(QString, message);
    QFETCH(MessageIcon, icon);
    QFETCH(QString, caption);
    QFETCH(QString, focus);
    const QStringList before = {"1", "2", "3", "4.0000"};
    SetTexts(window_, kOutputs, before);
    SetTexts(window_, kInputs, inputs);
    Box(window_, "txtMiao")->setFocus();
    Click(window_, "Command1");
    QCOMPARE(boxes_.shown.size(), 1);
    QCOMPARE(boxes_.shown[0].text, message);
    QCOMPARE(boxes_.shown[0].icon, icon);
    QCOMPARE(boxes_.shown[0].caption, caption);
    QCOMPARE(FocusName(window_), focus);
    QCOMPARE(Texts(window_, kOutputs), before);
  }

  void clearEmptiesAllEightBoxes() {
    Box(window_, "txtYb")->setFocus();
    Click(window_, "Command1");
    Click(window_, "Command2");
    QCOMPARE(Texts(window_, kInputs + kOutputs), QStringList(8, QString()));
    QCOMPARE(FocusName(window_), QStringLiteral("txtXa"));
    Click(window_, "Command1");
    QCOMPARE(boxes_.shown.size(), 1);
    QCOMPARE(boxes_.shown[0].text, QStringLiteral("数据未输入完整！"));
  }

  void quitDestroysTheWindow() {
    QPointer<AzimuthWindow> window = window_;
    Click(window_, "Command3");
    QVERIFY(window->isHidden());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(window.isNull());
    window_ = nullptr;
  }

  // The main window keeps one QPointer per tool window and opens it with
  // ShowSingleWindow.
  void opensAtMostOnce() {
    QWidget owner;
    QPointer<AzimuthWindow> slot;
    AzimuthWindow* first = ShowSingleWindow(slot, boxes_, &owner);
    QVERIFY(first->isWindow());
    QVERIFY(first->isVisible());
    Box(first, "txtXa")->setText(QStringLiteral("12.5"));

    QCOMPARE(ShowSingleWindow(slot, boxes_, &owner), first);
    QCOMPARE(Box(first, "txtXa")->text(), QStringLiteral("12.5"));

    // Closed by its title bar: the next opening starts from the design texts,
    // even before the closed window has been destroyed.
    QPointer<AzimuthWindow> closed = first;
    first->close();
    AzimuthWindow* second = ShowSingleWindow(slot, boxes_, &owner);
    QVERIFY(second->isVisible());
    QCOMPARE(Box(second, "txtXa")->text(), QStringLiteral("3367011.241"));
    QCOMPARE(slot.data(), second);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(closed.isNull());
    QVERIFY(!slot.isNull());
    delete slot.data();
  }

 private:
  FakeMessageBoxes boxes_;
  AzimuthWindow* window_ = nullptr;
};

QTEST_MAIN(AzimuthWindowTest)
#include "azimuth_window_test.moc"
