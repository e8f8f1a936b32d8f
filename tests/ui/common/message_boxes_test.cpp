// A refusal's kind decides the icon and caption of its message box; the focus
// goes to the control the window gives for its field.
#include "ui/common/message_boxes.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include "fakes.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

Q_DECLARE_METATYPE(tarnvel::RefusalKind)
Q_DECLARE_METATYPE(tarnvel::MessageIcon)

class MessageBoxesTest : public QObject {
  Q_OBJECT

 private slots:
  // Pins the mapping from the core's kind of refusal to what the user sees,
  // since the core no longer chooses the icon itself.
  void refusalKindChoosesIconAndCaption_data() {
    QTest::addColumn<RefusalKind>("kind");
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<QString>("caption");
    QTest::newRow("MissingInput") << RefusalKind::MissingInput << MessageIcon::Information
                                  << QStringLiteral("提示");
    QTest::newRow("UnusableValue")
        << RefusalKind::UnusableValue << MessageIcon::Exclamation << QStringLiteral("提示");
    QTest::newRow("DivisionByZero")
        << RefusalKind::DivisionByZero << MessageIcon::None << QString();
  }
  void refusalKindChoosesIconAndCaption() {
    QFETCH(RefusalKind, kind);
    QFETCH(MessageIcon, icon);
    QFETCH(QString, caption);
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* first = new QLineEdit(&window);
    auto* second = new QLineEdit(&window);
    layout->addWidget(first);
    layout->addWidget(second);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    first->setFocus();

    FakeMessageBoxes boxes;
    ShowRefusal(boxes, &window, {"数据未输入完整！", kind, Field::XA}, second);
    QCOMPARE(boxes.shown.size(), 1);
    QCOMPARE(boxes.shown[0].text, QStringLiteral("数据未输入完整！"));
    QCOMPARE(boxes.shown[0].icon, icon);
    QCOMPARE(boxes.shown[0].caption, caption);
    QCOMPARE(QApplication::focusWidget(), second);

    // A field the window has no control for leaves the focus where it is.
    ShowRefusal(boxes, &window, {"数据未输入完整！", kind, Field::XA}, nullptr);
    QCOMPARE(QApplication::focusWidget(), second);
  }
};

QTEST_MAIN(MessageBoxesTest)
#include "message_boxes_test.moc"
