// Every label of every window holds its whole text in the form's font, at
// the dpi the test runs at (ctest runs it at 96 and at 144 dpi).
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>

#include "fakes.h"
#include "ui/main/main_window.h"
#include "ui/tools/about_window.h"
#include "ui/tools/angle_radian_window.h"
#include "ui/tools/azimuth_window.h"

using namespace tarnvel::testing_support;

namespace {

using MakeWindow = std::function<QWidget*(FakeMessageBoxes&, FakePlatform&, FakeFileDialogs&)>;

}  // namespace

Q_DECLARE_METATYPE(MakeWindow)

class LabelFitTest : public QObject {
  Q_OBJECT

 private slots:
  void everyLabelHoldsItsText_data();
  void everyLabelHoldsItsText();
  void skewBoxHoldsASkewAngle();

 private:
  FakeMessageBoxes boxes_;
  FakePlatform platform_;
  FakeFileDialogs dialogs_;
};

void LabelFitTest::everyLabelHoldsItsText_data() {
  QTest::addColumn<MakeWindow>("make");
  QTest::newRow("main") << MakeWindow(
      [](auto& b, auto& p, auto& d) -> QWidget* { return new tarnvel::MainWindow(b, p, d); });
  QTest::newRow("azimuth") << MakeWindow(
      [](auto& b, auto&, auto&) -> QWidget* { return new tarnvel::AzimuthWindow(b); });
  QTest::newRow("angle_and_radian") << MakeWindow(
      [](auto& b, auto&, auto&) -> QWidget* { return new tarnvel::AngleRadianWindow(b); });
  QTest::newRow("about") << MakeWindow(
      [](auto& b, auto& p, auto&) -> QWidget* { return new tarnvel::AboutWindow(b, p); });
}

// Pins the labels placed for a font 12 pixels high: the descenders of
// "邮箱：…" and "网址：…" cut off in About, its rights line on the top border
// of its group, "Xa=", "Xb=" and "Yb=" a pixel wider than their labels and
// "方位角ab：" running into the degree box.
void LabelFitTest::everyLabelHoldsItsText() {
  QFETCH(MakeWindow, make);
  const std::unique_ptr<QWidget> window(make(boxes_, platform_, dialogs_));
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    const QRect r = label->geometry();
    const QString name = label->objectName();
    if (label->wordWrap()) {
      QVERIFY2(r.height() >= label->heightForWidth(r.width()), qPrintable(name));
      if (auto* group = qobject_cast<const QGroupBox*>(label->parentWidget()))
        QVERIFY2(r.top() >= group->contentsRect().top(), qPrintable(name));
      continue;
    }
    const QSize need = label->sizeHint();
    QVERIFY2(r.height() >= need.height() && r.width() >= need.width(), qPrintable(name));
    for (const QWidget* next :
         label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
      const QRect n = next->geometry();
      if (qobject_cast<const QLabel*>(next) || n.left() <= r.left() || n.top() > r.bottom() ||
          n.bottom() < r.top())
        continue;
      QVERIFY2(r.left() + need.width() < n.left(),
               qPrintable(name + QStringLiteral(" runs into ") + next->objectName()));
    }
  }
}

// Pins Text14 (偏角a) too narrow for "89.5959": the box scrolled its first
// digit out of sight.
void LabelFitTest::skewBoxHoldsASkewAngle() {
  tarnvel::MainWindow window(boxes_, platform_, dialogs_);
  auto* skew = window.findChild<QLineEdit*>(QStringLiteral("Text14"));
  QLineEdit wide;
  wide.setFont(skew->font());
  wide.resize(400, skew->height());
  for (QLineEdit* box : {skew, &wide}) {
    box->setText(QStringLiteral("89.5959"));
    box->setCursorPosition(7);
    box->grab();
  }
  // Unscrolled, the caret after the text sits where it does in a wide box.
  QCOMPARE(skew->inputMethodQuery(Qt::ImCursorRectangle).toRect().left(),
           wide.inputMethodQuery(Qt::ImCursorRectangle).toRect().left());
}

QTEST_MAIN(LabelFitTest)
#include "label_fit_test.moc"
