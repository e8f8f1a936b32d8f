// The main window 测量工程 driven as a user drives it: its controls as they
// open, the mode switches, the clear button, the three computations through
// their buttons, the menus and the programs they start.
#include "ui/main/main_window.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <tuple>

#include "fakes.h"
#include "test_files.h"
#include "ui/main/results_box.h"

using tarnvel::MainWindow;
using tarnvel::MessageIcon;
using tarnvel::testing_support::FakeFileDialogs;
using tarnvel::testing_support::FakeMessageBoxes;
using tarnvel::testing_support::FakePlatform;
using tarnvel::testing_support::ReadBytes;

namespace {

const QString kHeader = QStringLiteral("里程  偏距 偏角    坐标X       坐标Y       切线方位角F");

// Whatever names the object: a label's or box's text, a button's caption, a
// group's title, a menu's title, an action's text.
QString Caption(const QObject* object) {
  if (auto* label = qobject_cast<const QLabel*>(object)) return label->text();
  if (auto* box = qobject_cast<const QLineEdit*>(object)) return box->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(object)) return button->text();
  if (auto* group = qobject_cast<const QGroupBox*>(object)) return group->title();
  if (auto* menu = qobject_cast<const QMenu*>(object)) return menu->title();
  if (auto* action = qobject_cast<const QAction*>(object)) return action->text();
  return QStringLiteral("<no caption>");
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  FakeMessageBoxes boxes_;
  FakePlatform platform_;
  FakeFileDialogs dialogs_;
  std::unique_ptr<MainWindow> window_;

  template <class T = QWidget>
  T* child(const QString& name) const {
    T* found = window_->findChild<T*>(name);
    if (!found) qFatal("no control %s", qPrintable(name));
    return found;
  }
  void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton); }
  void type(const QString& name, const QString& text) { child<QLineEdit>(name)->setText(text); }
  // The controls the mode switches govern, as the user sees them.
  QString modeState() const;

 private slots:
  void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
  void init();
  void cleanup() { window_.reset(); }

  void controls_data();
  void controls();
  void menus_data();
  void menus();
  void modeSwitches_data();
  void modeSwitches();
  void switchesEmptyOnlyTheirResults_data();
  void switchesEmptyOnlyTheirResults();
  void clearEmptiesTheElementFieldsInOrder();
  void refusals_data();
  void refusals();
  void forwardResult();
  void inverseResult();
  void tableResult();
  void resultsTextKeepsTheUsersEdits();
  void refusalThroughRealMessageBox();
  void exitClosesEveryWindow();
  void launchers_data();
  void launchers();
  void exportThenImportGivesTheSameTexts();
  void savesTheTableShown();
  void toolWindowsOpenOnce_data();
  void toolWindowsOpenOnce();
  void exitClosesTheToolWindows();
};

void MainWindowTest::init() {
  boxes_.shown.clear();
  platform_ = FakePlatform();
  dialogs_ = FakeFileDialogs();
  window_ = std::make_unique<MainWindow>(boxes_, platform_, dialogs_);
  window_->show();
  QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
}

QString MainWindowTest::modeState() const {
  QStringList state;
  QStringList groups;
  for (const char* frame : {"Frame4", "Frame5", "Frame6", "Frame7", "Frame8", "Frame9"})
    if (child(frame)->isVisible()) groups << frame;
  state << groups.join(' ');
  for (const char* name : {"Command2", "Command6", "Command4", "Command7"}) {
    const QWidget* button = child(name);
    state << QStringLiteral("%1 %2").arg(name, !button->isVisible()  ? "hidden"
                                               : button->isEnabled() ? "usable"
                                                                     : "greyed");
  }
  const auto* sub1 = child<QRadioButton>("OptionButton1");
  const auto* sub2 = child<QRadioButton>("OptionButton2");
  state << QStringLiteral("sub-mode %1%2 %3")
               .arg(sub1->isChecked() ? "OptionButton1" : "",
                    sub2->isChecked() ? "OptionButton2" : "",
                    sub1->isEnabled() && sub2->isEnabled()     ? "usable"
                    : !sub1->isEnabled() && !sub2->isEnabled() ? "greyed"
                                                               : "mixed");
  state << (child<QRadioButton>("Option1")->isChecked() ? "Option1" : "Option2");
  return state.join(QStringLiteral(" | "));
}

// ---- The window as it opens -------------------------------------------------

void MainWindowTest::controls_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<QString>("toolTip");

  const auto row = [](const char* name, const QString& caption, const QString& tip = {}) {
    QTest::newRow(name) << QString::fromLatin1(name) << caption << tip;
  };
  row("Frame1", "输入数据");
  row("Label1", "起点桩号K  =", "请输入起点桩号K！");
  row("Label2", "止点桩号K  =", "请输入止点桩号K！");
  row("Label3", "起点坐标X  =", "请输入起点坐标X！");
  row("Label4", "起点坐标Y  =", "请输入起点坐标Y！");
  row("Label5", "起点方位角F=", "请输入起点切线方位角F！");
  row("Label6", "起点半径RQ =", "请输入起点半径RQ(直线接曲线输入0)！");
  row("Label7", "止点半径RN =", "请输入止点半径RN(曲线接直线输入0)！");
  row("Label8", "曲线转向Q  =", "请输入曲线转向Q(左转为-1、右转为1、直线为0)！");
  row("Text1", "7586.707");
  row("Text2", "7946.707");
  row("Text3", "3378605.445");
  row("Text4", "453648.704");
  row("Text5", "98.565562");
  row("Text6", "0");
  row("Text7", "4500");
  row("Text8", "1");
  row("Option1", "线元正算", "正算选择");
  row("Option2", "线元反算", "反算选择");
  row("OptionButton1", "单点正算");
  row("OptionButton2", "连续正算");

  row("Frame4", "正算数据");
  row("Label31", "计算桩号K=", "请输入计算里程桩号！");
  row("Label32", "计算偏距m=", "请输入计算偏距，距中桩水平距离，左为负，右为正！");
  row("Label33", "计算偏角a=", "请输入计算偏角a，正交为90°！");
  row("Text41", "7800", "请输入计算点桩号K！");
  row("Text42", "0", "请输入计算偏距，距中桩水平距离，左为负，右为正！");
  row("Text43", "90", "请输入计算偏角a，正交为90°！");

  row("Frame5", "正算结果");
  row("Label34", "计算坐标N(X)", "正算结果坐标X");
  row("Label35", "计算坐标E(Y)", "正算结果坐标Y");
  row("Label36", "切线方位角(°ˊ″)", "切线方位角");
  row("Label77", "");
  row("Label78", "");
  row("Label79", "");

  // The inverse inputs end with CR LF, and the computation is given it.
  row("Frame6", "反算数据");
  row("Label41", "输入坐标X=", "请输入反算坐标X！");
  row("Text47", "3378571.281\r\n", "请输入反算坐标X！");
  row("Label42", "输入坐标Y=", "请输入反算坐标Y！");
  row("Text48", "453859.241\r\n", "请输入反算坐标Y！");

  row("Frame7", "反算结果");
  row("Label43", "桩号(K)", "反算结果里程桩号");
  row("Label44", "偏距(m)", "反算结果偏距，负数为偏左、正为偏右");
  row("Label80", "");
  row("Label81", "");

  row("Frame8", "连续计算");
  row("Label38", "起点K=");
  row("Text10", "7600", "请输入起点桩号K！");
  row("Label39", "止点K=");
  row("Text11", "7900", "请输入止点桩号K！");
  row("Label10", "偏距m=");
  row("Text13", "0");
  row("Label11", "偏角a=");
  row("Text14", "90");
  row("Label37", "计算步长值(间距)=");
  row("Text9", "10", "请输入步长值(计算间距J)！");

  row("Frame9", "曲线坐标");
  row("Label9", "曲线坐标计算成果表");
  row("Label82", "提示：计算完毕后点击“保存数据”可导出到文本文档中。");

  row("Command2", "点击正算");
  row("Command6", "点击正算");
  row("Command4", "点击反算");
  row("Command3", "清空数据");
  row("Command7", "保存数据");
  row("txtFileName", "C:\\Documents and Settings\\Administrator\\桌面");
}

void MainWindowTest::controls() {
  QFETCH(QString, name);
  QFETCH(QString, caption);
  QFETCH(QString, toolTip);
  const QWidget* control = child(name);
  QCOMPARE(Caption(control), caption);
  QCOMPARE(control->toolTip(), toolTip);
  // Nothing is cut off: every caption fits the place the form gives it.
  if (qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control))
    QVERIFY2(control->sizeHint().width() <= control->width(), qPrintable(name));
}

void MainWindowTest::menus_data() {
  QTest::addColumn<QString>("menu");
  QTest::addColumn<QString>("title");
  QTest::addColumn<QStringList>("items");  // objectName=caption=shortcut

  QTest::newRow("File") << "File"
                        << "文件(&F)"
                        << QStringList{"Open=导入数据=Ctrl+O", "Export=导出数据=Ctrl+S",
                                       "Exit=退出=Ctrl+E"};
  QTest::newRow("GongJu") << "GongJu"
                          << "工具(&T)"
                          << QStringList{"FWJ=方位角和距离=", "Red=角度弧度转换=",
                                         "Route=线路计算(&R)=Ctrl+R",
                                         "Notepad=记事本=", "Calc=计算器="};
  QTest::newRow("BangZhu") << "BangZhu"
                           << "帮助(&H)" << QStringList{"LianBang=联机帮助=", "About=关于="};
}

void MainWindowTest::menus() {
  QFETCH(QString, menu);
  QFETCH(QString, title);
  QFETCH(QStringList, items);
  const auto* found = child<QMenu>(menu);
  QCOMPARE(found->title(), title);
  QVERIFY(window_->menuBar()->actions().contains(found->menuAction()));
  QStringList shown;
  for (const QAction* action : found->actions())
    if (!action->isSeparator())
      shown << QStringLiteral("%1=%2=%3")
                   .arg(action->objectName(), action->text(), action->shortcut().toString());
  QCOMPARE(shown, items);
}

// ---- Mode switches ---------------------------------------------------------

void MainWindowTest::modeSwitches_data() {
  QTest::addColumn<QStringList>("clicks");
  QTest::addColumn<QString>("state");

  const QString single = QStringLiteral(
      "Frame4 Frame5 Frame7 | Command2 usable | Command6 hidden | Command4 greyed | "
      "Command7 greyed | sub-mode OptionButton1 usable | Option1");
  const QString continuous = QStringLiteral(
      "Frame8 Frame9 | Command2 hidden | Command6 usable | Command4 greyed | "
      "Command7 usable | sub-mode OptionButton2 usable | Option1");
  const QString inverseAfterSingle = QStringLiteral(
      "Frame5 Frame6 Frame7 | Command2 greyed | Command6 hidden | Command4 usable | "
      "Command7 greyed | sub-mode OptionButton1 greyed | Option2");
  const QString inverseAfterContinuous = QStringLiteral(
      "Frame5 Frame6 Frame7 | Command2 hidden | Command6 greyed | Command4 usable | "
      "Command7 greyed | sub-mode OptionButton2 greyed | Option2");

  QTest::newRow("at_start") << QStringList{} << single;
  QTest::newRow("continuous") << QStringList{"OptionButton2"} << continuous;
  QTest::newRow("continuous_single") << QStringList{"OptionButton2", "OptionButton1"} << single;
  QTest::newRow("inverse_from_single") << QStringList{"Option2"} << inverseAfterSingle;
  QTest::newRow("inverse_from_continuous")
      << QStringList{"OptionButton2", "Option2"} << inverseAfterContinuous;
  QTest::newRow("inverse_forward") << QStringList{"Option2", "Option1"} << single;
  QTest::newRow("continuous_inverse_forward")
      << QStringList{"OptionButton2", "Option2", "Option1"} << single;
  QTest::newRow("sub_modes_greyed_in_inverse")
      << QStringList{"Option2", "OptionButton2"} << inverseAfterSingle;
  // Choosing the direction that is already chosen changes nothing.
  QTest::newRow("forward_again_in_continuous")
      << QStringList{"OptionButton2", "Option1"} << continuous;
  QTest::newRow("inverse_twice") << QStringList{"OptionButton2", "Option2", "Option2"}
                                 << inverseAfterContinuous;
}

void MainWindowTest::modeSwitches() {
  QFETCH(QStringList, clicks);
  QFETCH(QString, state);
  for (const QString& name : clicks) click(name);
  QCOMPARE(modeState(), state);
  // The switches leave every input and the table alone.
  QCOMPARE(child<QLineEdit>("Text41")->text(), QStringLiteral("7800"));
  QCOMPARE(child<QLineEdit>("Text47")->text(), QStringLiteral("3378571.281\r\n"));
  QCOMPARE(window_->resultsText(), kHeader + "\r\n");
}

void MainWindowTest::switchesEmptyOnlyTheirResults_data() {
  QTest::addColumn<QStringList>("clicks");
  QTest::addColumn<bool>("forwardKept");
  QTest::addColumn<bool>("inverseKept");

  QTest::newRow("continuous_and_back")
      << QStringList{"OptionButton2", "OptionButton1"} << true << true;
  QTest::newRow("inverse") << QStringList{"Option2"} << false << true;
  QTest::newRow("inverse_from_continuous")
      << QStringList{"OptionButton2", "Option2"} << false << true;
  QTest::newRow("inverse_and_forward") << QStringList{"Option2", "Option1"} << false << false;
}

void MainWindowTest::switchesEmptyOnlyTheirResults() {
  QFETCH(QStringList, clicks);
  QFETCH(bool, forwardKept);
  QFETCH(bool, inverseKept);
  click("Command2");
  // Results of an earlier inverse run.
  child<QLabel>("Label80")->setText(QStringLiteral("07+800.000"));
  child<QLabel>("Label81")->setText(QStringLiteral("0.001"));
  for (const QString& name : clicks) click(name);
  QCOMPARE(child<QLabel>("Label77")->text(), forwardKept ? "3378571.2815" : "");
  QCOMPARE(child<QLabel>("Label78")->text(), forwardKept ? "453859.2413" : "");
  QCOMPARE(child<QLabel>("Label79")->text(), forwardKept ? "99°45ˊ11.85″" : "");
  QCOMPARE(child<QLabel>("Label80")->text(), inverseKept ? "07+800.000" : "");
  QCOMPARE(child<QLabel>("Label81")->text(), inverseKept ? "0.001" : "");
}

// ---- Clear -----------------------------------------------------------------

void MainWindowTest::clearEmptiesTheElementFieldsInOrder() {
  QStringList emptied;
  for (int i = 1; i <= 8; ++i) {
    const QString name = QStringLiteral("Text%1").arg(i);
    connect(child<QLineEdit>(name), &QLineEdit::textChanged, this,
            [&emptied, name](const QString& text) {
              if (text.isEmpty()) emptied << name;
            });
  }
  click("Command2");
  child("Text43")->setFocus();
  click("Command3");
  QCOMPARE(emptied,
           (QStringList{"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Text7", "Text8"}));
  QCOMPARE(window_->focusWidget(), child("Text1"));
  QCOMPARE(child<QLineEdit>("Text41")->text(), QStringLiteral("7800"));
  QCOMPARE(child<QLineEdit>("Text48")->text(), QStringLiteral("453859.241\r\n"));
  QCOMPARE(child<QLineEdit>("Text10")->text(), QStringLiteral("7600"));
  QCOMPARE(child<QLabel>("Label77")->text(), QStringLiteral("3378571.2815"));
  QCOMPARE(window_->resultsText(), kHeader + "\r\n");
  QCOMPARE(modeState().endsWith("sub-mode OptionButton1 usable | Option1"), true);
}

// ---- Computations ----------------------------------------------------------

void MainWindowTest::refusals_data() {
  QTest::addColumn<QStringList>("clicks");  // the mode to be in
  QTest::addColumn<QStringList>("typed");   // field=text
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("message");
  QTest::addColumn<int>("icon");
  QTest::addColumn<QString>("focus");

  const int info = int(MessageIcon::Information);
  const int warning = int(MessageIcon::Exclamation);
  const QStringList forward;
  const QStringList inverse{"Option2"};
  const QStringList continuous{"OptionButton2"};

  QTest::newRow("forward_offset_blank") << forward << QStringList{"Text42=   "} << "Command2"
                                        << "请输入“计算偏距m”！" << info << "Text42";
  QTest::newRow("forward_element_field_first")
      << forward << QStringList{"Text8=", "Text41="} << "Command2"
      << "请输入“曲线转角”！" << info << "Text8";
  QTest::newRow("forward_station_before_the_start")
      << forward << QStringList{"Text41=7586.706"} << "Command2"
      << "输入“计算桩号K”超出范围！" << warning << "Text41";
  QTest::newRow("forward_station_after_the_end")
      << forward << QStringList{"Text41=7946.708"} << "Command2"
      << "输入“计算桩号K”超出范围！" << warning << "Text41";
  QTest::newRow("forward_skew_not_a_number")
      << forward << QStringList{"Text43=9o"} << "Command2"
      << "输入“计算偏角a”不是有效的数字！" << warning << "Text43";

  QTest::newRow("inverse_X_blank") << inverse << QStringList{"Text47=  ", "Text48="} << "Command4"
                                   << "请输入“反算坐标X”！" << info << "Text47";
  QTest::newRow("inverse_element_before_point")
      << inverse << QStringList{"Text3=", "Text47="} << "Command4"
      << "请输入“起点坐标X”！" << info << "Text3";
  QTest::newRow("inverse_point_far_away")
      << inverse << QStringList{"Text47=abc"} << "Command4"
      << "反算未能收敛，请检查“反算坐标”是否在线元附近！" << warning << "Text47";

  QTest::newRow("continuous_step_blank") << continuous << QStringList{"Text9= "} << "Command6"
                                         << "请输入“计算间距J”！" << info << "Text9";
  QTest::newRow("continuous_start_before_the_element")
      << continuous << QStringList{"Text10=7586.706"} << "Command6"
      << "输入“起点K”小于线元“起点桩号K”！" << warning << "Text10";
  QTest::newRow("continuous_end_after_the_element")
      << continuous << QStringList{"Text11=7946.708"} << "Command6"
      << "输入“止点K”大于线元“止点桩号K”！" << warning << "Text11";
  QTest::newRow("continuous_offset_not_a_number")
      << continuous << QStringList{"Text13=5m"} << "Command6"
      << "输入“偏距m”不是有效的数字！" << warning << "Text13";
  QTest::newRow("continuous_step_of_zero") << continuous << QStringList{"Text9=0"} << "Command6"
                                           << "“计算间距J”不能为零！" << warning << "Text9";

  // Each field a refusal can name goes back to its own control.
  const QList<std::tuple<const char*, const char*, const char*>> elementBlanks = {
      {"forward_start_station_blank", "Text1", "请输入“起点桩号K”！"},
      {"forward_end_station_blank", "Text2", "请输入“止点桩号K”！"},
      {"forward_start_y_blank", "Text4", "请输入“起点坐标Y”！"},
      {"forward_start_azimuth_blank", "Text5", "请输入“起点方位角F”！"},
      {"forward_start_radius_blank", "Text6", "请输入“起点半径RQ”！"},
      {"forward_end_radius_blank", "Text7", "请输入“止点半径RN”！"}};
  for (const auto& [name, field, text] : elementBlanks)
    QTest::newRow(name) << forward << QStringList{QString(field) + "="} << "Command2"
                        << QString(text) << info << QString(field);
  QTest::newRow("inverse_Y_blank") << inverse << QStringList{"Text48= "} << "Command4"
                                   << "请输入“反算坐标Y”！" << info << "Text48";
  QTest::newRow("continuous_skew_not_a_number")
      << continuous << QStringList{"Text14=9o"} << "Command6"
      << "输入“偏角a”不是有效的数字！" << warning << "Text14";
}

void MainWindowTest::refusals() {
  QFETCH(QStringList, clicks);
  QFETCH(QStringList, typed);
  QFETCH(QString, button);
  QFETCH(QString, message);
  QFETCH(int, icon);
  QFETCH(QString, focus);
  for (const QString& name : clicks) click(name);
  for (const QString& entry : typed) type(entry.section('=', 0, 0), entry.section('=', 1));
  child("Text1")->setFocus();
  click(button);

  QCOMPARE(boxes_.shown.size(), 1);
  QCOMPARE(boxes_.shown[0].text, message);
  QCOMPARE(int(boxes_.shown[0].icon), icon);
  QCOMPARE(boxes_.shown[0].caption, QStringLiteral("提示"));
  QCOMPARE(window_->focusWidget(), child(focus));
  // Nothing else changes.
  for (const char* label : {"Label77", "Label78", "Label79", "Label80", "Label81"})
    QCOMPARE(child<QLabel>(label)->text(), QString());
  QCOMPARE(window_->resultsText(), kHeader + "\r\n");
}

void MainWindowTest::forwardResult() {
  click("Command2");
  QVERIFY(boxes_.shown.isEmpty());
  QCOMPARE(child<QLabel>("Label77")->text(), QStringLiteral("3378571.2815"));
  QCOMPARE(child<QLabel>("Label78")->text(), QStringLiteral("453859.2413"));
  QCOMPARE(child<QLabel>("Label79")->text(), QStringLiteral("99°45ˊ11.85″"));

  type("Text42", "-10");
  click("Command2");
  QCOMPARE(child<QLabel>("Label77")->text(), QStringLiteral("3378581.1369"));
  QCOMPARE(child<QLabel>("Label78")->text(), QStringLiteral("453860.9354"));
}

void MainWindowTest::inverseResult() {
  click("Option2");
  click("Command4");
  QVERIFY(boxes_.shown.isEmpty());
  QCOMPARE(child<QLabel>("Label80")->text(), QStringLiteral("07+800.000"));
  QCOMPARE(child<QLabel>("Label81")->text(), QStringLiteral("0.001"));

  type("Text47", "3378561.426");
  type("Text48", "453857.5473");
  click("Command4");
  QCOMPARE(child<QLabel>("Label80")->text(), QStringLiteral("07+800.000"));
  QCOMPARE(child<QLabel>("Label81")->text(), QStringLiteral("10"));
}

void MainWindowTest::tableResult() {
  click("OptionButton2");
  for (int run = 0; run < 2; ++run) {  // a second run replaces the first table
    click("Command6");
    QVERIFY(boxes_.shown.isEmpty());
    const QString text = window_->resultsText();
    QVERIFY(text.endsWith("\r\n"));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 1 + 31 + 1);
    QCOMPARE(lines.first(), kHeader);
    QCOMPARE(lines[1], QStringLiteral("7600   0  90  3378603.377  453661.835   98°57ˊ6.87″"));
    QCOMPARE(lines[31], QStringLiteral("7900   0  90  3378553.591  453957.663   100°41ˊ4.2″"));
    QCOMPARE(lines[32], QString());
    QVERIFY(!text.contains(QRegularExpression("[^\r]\n")));
  }
}

void MainWindowTest::resultsTextKeepsTheUsersEdits() {
  auto* box = child<tarnvel::ResultsBox>("Text12");
  box->setTableText(kHeader + "\r\n7600   0  90\r\n");
  box->moveCursor(QTextCursor::End);
  QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QStringLiteral("备注"), Qt::NoModifier);
  QTest::keyClick(box, Qt::Key_Return);
  QCOMPARE(window_->resultsText(), kHeader + "\r\n7600   0  90\r\n备注\r\n");
}

// The real message box, as the user meets it: caption, icon, text, one OK.
void MainWindowTest::refusalThroughRealMessageBox() {
  tarnvel::QtMessageBoxes real;
  MainWindow window(real, platform_, dialogs_);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  window.findChild<QLineEdit*>("Text41")->setText(QStringLiteral("7586.706"));

  QString seen;
  int tries = 0;
  std::function<void()> answer = [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) {
      if (++tries < 500) QTimer::singleShot(10, answer);
      return;
    }
    seen = QStringLiteral("%1|%2|%3|%4")
               .arg(box->windowTitle(), box->text())
               .arg(int(box->icon()))
               .arg(int(box->standardButtons()));
    box->button(QMessageBox::Ok)->click();
  };
  QTimer::singleShot(0, answer);
  QTest::mouseClick(window.findChild<QPushButton*>("Command2"), Qt::LeftButton);

  QCOMPARE(seen, QStringLiteral("提示|输入“计算桩号K”超出范围！|%1|%2")
                     .arg(int(QMessageBox::Warning))
                     .arg(int(QMessageBox::Ok)));
  QCOMPARE(window.focusWidget(), window.findChild<QWidget*>("Text41"));
  QCOMPARE(window.findChild<QLabel*>("Label77")->text(), QString());
}

// ---- Menus -----------------------------------------------------------------

void MainWindowTest::exitClosesEveryWindow() {
  QWidget tool;  // a tool window open beside the main window
  tool.show();
  QVERIFY(QTest::qWaitForWindowExposed(&tool));
  child<QAction>("Exit")->trigger();
  QVERIFY(!window_->isVisible());
  QVERIFY(!tool.isVisible());
  QVERIFY(boxes_.shown.isEmpty());
}

void MainWindowTest::launchers_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<bool>("fail");
  QTest::addColumn<QString>("call");
  QTest::addColumn<QString>("message");

  QTest::newRow("Calc") << "Calc" << false << "calculator"
                        << "";
  QTest::newRow("Calc_missing") << "Calc" << true << "calculator"
                                << "无法启动“计算器”：没有这个程序！";
  QTest::newRow("Notepad") << "Notepad" << false << "editor"
                           << "";
  QTest::newRow("Notepad_missing") << "Notepad" << true << "editor"
                                   << "无法启动“记事本”：没有这个程序！";
  QTest::newRow("LianBang") << "LianBang" << false << "browser"
                            << "";
  QTest::newRow("LianBang_missing") << "LianBang" << true << "browser"
                                    << "无法打开“联机帮助”：没有这个程序！";
}

void MainWindowTest::launchers() {
  QFETCH(QString, action);
  QFETCH(bool, fail);
  QFETCH(QString, call);
  QFETCH(QString, message);
  platform_.fail = fail;
  child<QAction>(action)->trigger();

  QCOMPARE(platform_.calls, QStringList{call});
  if (call == "editor")
    QCOMPARE(platform_.editorText, QStringLiteral("   欢迎使用记事本文档，更多测量资料请访问：") +
                                       tarnvel::kBlogPage.toString());
  if (call == "browser") QCOMPARE(platform_.pages, QList<QUrl>{tarnvel::kHelpPage});
  if (message.isEmpty()) {
    QVERIFY(boxes_.shown.isEmpty());
  } else {
    QCOMPARE(boxes_.shown.size(), 1);
    QCOMPARE(boxes_.shown[0].text, message);
    QCOMPARE(boxes_.shown[0].icon, MessageIcon::Exclamation);
    QCOMPARE(boxes_.shown[0].caption, QStringLiteral("提示"));
  }
  QVERIFY(window_->isVisible());  // Tarnvel keeps running
}

QTEST_MAIN(MainWindowTest)
void MainWindowTest::exportThenImportGivesTheSameTexts() {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("线元.txt"));
  const QStringList initial = {"7586.707",  "7946.707", "3378605.445", "453648.704",
                               "98.565562", "0",        "4500",        "1"};
  type("Text6", "1.50");
  dialogs_.answers = {path, path};
  child<QAction>("Export")->trigger();
  click("Command3");
  child<QAction>("Open")->trigger();

  QCOMPARE(boxes_.shown.size(), 0);
  QCOMPARE(dialogs_.kinds, QStringList({"save", "open"}));
  // The shared dialog offers the name chosen last, whichever command chose it.
  QCOMPARE(dialogs_.initialNames, QStringList({"", path}));
  QCOMPARE(child<QLineEdit>("txtFileName")->text(), path);
  for (int i = 0; i < 8; ++i)
    QCOMPARE(child<QLineEdit>(QStringLiteral("Text%1").arg(i + 1))->text(),
             i == 5 ? QStringLiteral("1.5") : initial[i]);
}

void MainWindowTest::savesTheTableShown() {
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("成果表.txt"));
  click("OptionButton2");
  type("Text10", "7600");
  type("Text11", "7600");
  click("Command6");
  dialogs_.answers = {path};
  click("Command7");

  const QByteArray bytes = ReadBytes(path);
  QVERIFY(bytes.startsWith("\r\n\r\n                \xC7\xFA\xCF\xDF"));
  QVERIFY(
      bytes.contains("\r\n7600   0  90  3378603.377  453661.835   98\xA1\xE3"
                     "57"));
  QCOMPARE(child<QLineEdit>("txtFileName")->text(), path);

  // A box the user emptied has nothing to save: a message and no dialog.
  child<tarnvel::ResultsBox>("Text12")->clear();
  click("Command7");
  QCOMPARE(dialogs_.kinds.size(), 1);
  QCOMPARE(boxes_.shown.size(), 1);
  QCOMPARE(boxes_.shown[0].text, QStringLiteral("请点击“点击计算”！"));
  QCOMPARE(boxes_.shown[0].icon, MessageIcon::Information);
}

void MainWindowTest::toolWindowsOpenOnce_data() {
  QTest::addColumn<QString>("action");
  QTest::addColumn<QString>("window");
  QTest::addColumn<QString>("field");  // a box whose text must survive a second opening
  QTest::newRow("FWJ") << "FWJ"
                       << "方位角和距离"
                       << "txtXa";
  QTest::newRow("Red") << "Red"
                       << "角度转弧度"
                       << "Text1";
  QTest::newRow("Route") << "Route"
                         << "线路计算"
                         << "fromEdit";
  QTest::newRow("About") << "About"
                         << "AAbout"
                         << "";
}

namespace {

QList<QWidget*> OpenWindows(const QString& name) {
  QList<QWidget*> found;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == name && w->isVisible()) found << w;
  return found;
}

}  // namespace

void MainWindowTest::toolWindowsOpenOnce() {
  QFETCH(QString, action);
  QFETCH(QString, window);
  QFETCH(QString, field);
  child<QAction>(action)->trigger();
  QCOMPARE(OpenWindows(window).size(), 1);
  QWidget* first = OpenWindows(window).first();
  if (!field.isEmpty()) first->findChild<QLineEdit*>(field)->setText(QStringLiteral("12"));

  child<QAction>(action)->trigger();
  QCOMPARE(OpenWindows(window).size(), 1);
  QCOMPARE(OpenWindows(window).first(), first);
  if (!field.isEmpty()) QCOMPARE(first->findChild<QLineEdit*>(field)->text(), QStringLiteral("12"));

  // Closed, it opens afresh with its initial texts.
  first->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  child<QAction>(action)->trigger();
  QCOMPARE(OpenWindows(window).size(), 1);
  if (!field.isEmpty())
    QVERIFY(OpenWindows(window).first()->findChild<QLineEdit*>(field)->text() != "12");
}

void MainWindowTest::exitClosesTheToolWindows() {
  child<QAction>("FWJ")->trigger();
  child<QAction>("Red")->trigger();
  child<QAction>("Route")->trigger();
  child<QAction>("About")->trigger();
  child<QAction>("Exit")->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (const char* name : {"方位角和距离", "角度转弧度", "线路计算", "AAbout"})
    QVERIFY2(OpenWindows(QString::fromUtf8(name)).isEmpty(), name);
}

#include "main_window_test.moc"
