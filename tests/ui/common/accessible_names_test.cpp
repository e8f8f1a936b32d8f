// A screen reader announces every text box and result label by its caption
// ("起点桩号K"), not by its kind ("edit").
#include <QAccessible>
#include <QAccessibleInterface>
#include <QApplication>
#include <QTest>
#include <memory>

#include "fakes.h"
#include "ui/main/main_window.h"
#include "ui/tools/angle_radian_window.h"
#include "ui/tools/azimuth_window.h"

using namespace tarnvel;
using namespace tarnvel::testing_support;

class AccessibleNamesTest : public QObject {
  Q_OBJECT

 private:
  FakeMessageBoxes boxes_;
  FakePlatform platform_;
  FakeFileDialogs dialogs_;
  std::unique_ptr<QWidget> windows_[3];

 private slots:
  void initTestCase() {
    windows_[0] = std::make_unique<MainWindow>(boxes_, platform_, dialogs_);
    windows_[1] = std::make_unique<AzimuthWindow>(boxes_);
    windows_[2] = std::make_unique<AngleRadianWindow>(boxes_);
  }

  void fieldsAreNamedByTheirCaptions_data() {
    QTest::addColumn<int>("window");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    const struct {
      int window;
      const char* field;
      const char* name;
    } rows[] = {
        {0, "Text1", "起点桩号K"},
        {0, "Text2", "止点桩号K"},
        {0, "Text3", "起点坐标X"},
        {0, "Text4", "起点坐标Y"},
        {0, "Text5", "起点方位角F"},
        {0, "Text6", "起点半径RQ"},
        {0, "Text7", "止点半径RN"},
        {0, "Text8", "曲线转向Q"},
        {0, "Text41", "计算桩号K"},
        {0, "Text42", "计算偏距m"},
        {0, "Text43", "计算偏角a"},
        {0, "Label77", "计算坐标N(X)"},
        {0, "Label78", "计算坐标E(Y)"},
        {0, "Label79", "切线方位角(°ˊ″)"},
        {0, "Text47", "输入坐标X"},
        {0, "Text48", "输入坐标Y"},
        {0, "Label80", "桩号(K)"},
        {0, "Label81", "偏距(m)"},
        {0, "Text10", "起点K"},
        {0, "Text11", "止点K"},
        {0, "Text13", "偏距m"},
        {0, "Text14", "偏角a"},
        {0, "Text9", "计算步长值(间距)"},
        {0, "Text12", "曲线坐标计算成果表"},
        {1, "txtXa", "Xa"},
        {1, "txtYb", "Yb"},
        {1, "txtS", "距离"},
        {1, "txtMiao", "方位角ab 秒"},
        {2, "Text1", "角度 度"},
        {2, "Text4", "弧度"},
    };
    for (const auto& row : rows)
      QTest::addRow("%d_%s", row.window, row.field)
          << row.window << QString::fromUtf8(row.field) << QString::fromUtf8(row.name);
  }

  void fieldsAreNamedByTheirCaptions() {
    QFETCH(int, window);
    QFETCH(QString, field);
    QFETCH(QString, name);
    QWidget* widget = windows_[window]->findChild<QWidget*>(field);
    QVERIFY(widget);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(accessible);
    QCOMPARE(accessible->text(QAccessible::Name), name);
  }
};

QTEST_MAIN(AccessibleNamesTest)
#include "accessible_names_test.moc"
