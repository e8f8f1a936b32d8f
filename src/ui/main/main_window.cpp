#include "ui/main/main_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "core/element/continuous_computation.h"
#include "core/element/forward_computation.h"
#include "core/element/inverse_computation.h"
#include "ui/common/field_text.h"
#include "ui/common/file_dialog.h"
#include "ui/common/form_geometry.h"
#include "ui/common/message_boxes.h"
#include "ui/common/out_of_memory.h"
#include "ui/common/platform.h"
#include "ui/main/file_commands.h"
#include "ui/main/single_window.h"
#include "ui/route/route_window.h"
#include "ui/tools/about_window.h"
#include "ui/tools/angle_radian_window.h"
#include "ui/tools/azimuth_window.h"
#include "ui_main_window.h"

namespace tarnvel {

namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

// A long table keeps the window busy; the pointer says so meanwhile.
class BusyCursor {
 public:
  BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace

MainWindow::MainWindow(MessageBoxes& boxes, Platform& platform, FileDialogs& fileDialogs,
                       QWidget* parent)
    : QMainWindow(parent),
      ui_(std::make_unique<Ui::MainWindow>()),
      boxes_(boxes),
      platform_(platform),
      fileDialogs_(fileDialogs),
      CDg1_(new SharedFileDialog(fileDialogs, this)) {
  ui_->setupUi(this);
  setObjectName(QStringLiteral("测量工程"));

  // The form compiler drops carriage returns from texts; the inverse inputs
  // start with a CR LF after the number, and it is put back here.
  for (QLineEdit* box : {ui_->Text47, ui_->Text48})
    box->setText(box->text().replace(QLatin1Char('\n'), QStringLiteral("\r\n")));

  // Kept for the file operations only: it lies below the client area and is
  // hidden so that the Tab key never lands in it.
  ui_->txtFileName->hide();

  // At start: forward single-point mode.
  ui_->Frame6->hide();
  ui_->Frame8->hide();
  ui_->Frame9->hide();
  ui_->Command6->hide();
  ui_->Command6->setEnabled(false);
  ui_->Command4->setEnabled(false);
  ui_->Command7->setEnabled(false);

  // The client area is 601 × 281 pixels at 96 dpi; the menu bar comes on top.
  resize(601, 281 + menuBar()->sizeHint().height());
  FitFormToScreen(this);
  setFixedSize(size());

  connectControls();
}

// The tool windows have no parent, so that closing the main window leaves
// them open; they go with the main window object itself.
MainWindow::~MainWindow() {
  delete azimuthWindow_;
  delete angleRadianWindow_;
  delete routeWindow_;
  delete aboutWindow_;
}

QString MainWindow::resultsText() const {
  return ui_->Text12->tableText();
}

void MainWindow::connectControls() {
  // Every handler starts inside CatchOutOfMemory: a failed allocation is a
  // message, never the end of the program and the typed fields with it.
  const auto guarded = [this](void (MainWindow::*handler)()) {
    return [this, handler] { CatchOutOfMemory(boxes_, this, [&] { (this->*handler)(); }); };
  };
  // An option button's switch runs when it becomes selected, whether by the
  // user or by another switch; choosing the selected one again does nothing.
  const auto onSelected = [this, guarded](QAbstractButton* button, void (MainWindow::*slot)()) {
    connect(button, &QAbstractButton::toggled, this, [run = guarded(slot)](bool selected) {
      if (selected) run();
    });
  };
  onSelected(ui_->Option1, &MainWindow::showForwardMode);
  onSelected(ui_->Option2, &MainWindow::showInverseMode);
  onSelected(ui_->OptionButton1, &MainWindow::showSinglePointMode);
  onSelected(ui_->OptionButton2, &MainWindow::showContinuousMode);

  connect(ui_->Command2, &QPushButton::clicked, this, guarded(&MainWindow::computeForward));
  connect(ui_->Command4, &QPushButton::clicked, this, guarded(&MainWindow::computeInverse));
  connect(ui_->Command6, &QPushButton::clicked, this, guarded(&MainWindow::computeTable));
  connect(ui_->Command3, &QPushButton::clicked, this, guarded(&MainWindow::clearElement));
  connect(ui_->Command7, &QPushButton::clicked, this, guarded(&MainWindow::saveTable));
  connect(ui_->Text12, &ResultsBox::outOfMemory, this, [this] { ShowOutOfMemory(boxes_, this); });

  connect(ui_->Open, &QAction::triggered, this, guarded(&MainWindow::importElement));
  connect(ui_->Export, &QAction::triggered, this, guarded(&MainWindow::exportElement));
  connect(ui_->Exit, &QAction::triggered, this, guarded(&MainWindow::closeAll));
  connect(ui_->FWJ, &QAction::triggered, this, guarded(&MainWindow::showAzimuthWindow));
  connect(ui_->Red, &QAction::triggered, this, guarded(&MainWindow::showAngleRadianWindow));
  connect(ui_->Route, &QAction::triggered, this, guarded(&MainWindow::showRouteWindow));
  connect(ui_->Notepad, &QAction::triggered, this, guarded(&MainWindow::startTextEditor));
  connect(ui_->Calc, &QAction::triggered, this, guarded(&MainWindow::startCalculator));
  connect(ui_->LianBang, &QAction::triggered, this, guarded(&MainWindow::showHelp));
  connect(ui_->About, &QAction::triggered, this, guarded(&MainWindow::showAbout));
}

// ---- Mode switches ---------------------------------------------------------

namespace {

enum class ModeAction { Clear, Show, Hide, Enable, Disable, SelectSinglePoint };

struct ModeStep {
  ModeAction action;
  QWidget* widget;
};

// What each mode switch does, step by step. Hiding a control that holds
// the keyboard focus moves it to the next control shown at that moment, so
// the steps keep their order.
std::vector<ModeStep> ModeSteps(const Ui::MainWindow& ui, MainWindow::Mode mode) {
  using enum ModeAction;
  switch (mode) {
    case MainWindow::Mode::Forward:
      return {{Clear, ui.Label80},
              {Clear, ui.Label81},
              {Disable, ui.Command4},
              {Disable, ui.Command7},
              {Hide, ui.Frame6},
              {Hide, ui.Frame8},
              // Back to single point; when this changes the sub-mode, its
              // own switch runs here through the toggled signal.
              {SelectSinglePoint, ui.OptionButton1},
              {Enable, ui.OptionButton1},
              {Enable, ui.OptionButton2},
              {Show, ui.Frame4},
              {Show, ui.Command2},
              {Enable, ui.Command2},
              {Hide, ui.Command6}};
    case MainWindow::Mode::Inverse:
      return {{Clear, ui.Label77},
              {Clear, ui.Label78},
              {Clear, ui.Label79},
              {Enable, ui.Command4},
              {Show, ui.Frame5},
              {Show, ui.Frame6},
              {Show, ui.Frame7},
              // Whichever "点击正算" button was shown stays shown, greyed; the
              // sub-mode keeps its selection for the way back.
              {Disable, ui.Command2},
              {Disable, ui.Command6},
              {Disable, ui.Command7},
              {Disable, ui.OptionButton1},
              {Disable, ui.OptionButton2},
              {Hide, ui.Frame4},
              {Hide, ui.Frame8},
              {Hide, ui.Frame9}};
    case MainWindow::Mode::SinglePoint:
      return {{Hide, ui.Command6}, {Disable, ui.Command7}, {Hide, ui.Frame6}, {Hide, ui.Frame8},
              {Hide, ui.Frame9},   {Show, ui.Frame4},      {Show, ui.Frame5}, {Show, ui.Frame7},
              {Show, ui.Command2}, {Show, ui.Command4}};
    case MainWindow::Mode::Continuous:
      return {{Show, ui.Command6}, {Enable, ui.Command6}, {Enable, ui.Command7}, {Show, ui.Frame8},
              {Show, ui.Frame9},   {Hide, ui.Frame4},     {Hide, ui.Frame5},     {Hide, ui.Frame6},
              {Hide, ui.Frame7},   {Hide, ui.Command2},   {Disable, ui.Command4}};
  }
  return {};
}

}  // namespace

void MainWindow::showMode(Mode mode) {
  for (const ModeStep& step : ModeSteps(*ui_, mode)) {
    switch (step.action) {
      case ModeAction::Clear:
        static_cast<QLabel*>(step.widget)->clear();
        break;
      case ModeAction::Show:
        step.widget->show();
        break;
      case ModeAction::Hide:
        step.widget->hide();
        break;
      case ModeAction::Enable:
        step.widget->setEnabled(true);
        break;
      case ModeAction::Disable:
        step.widget->setEnabled(false);
        break;
      case ModeAction::SelectSinglePoint:
        static_cast<QAbstractButton*>(step.widget)->setChecked(true);
        break;
    }
  }
}

// ---- Computations ----------------------------------------------------------

namespace {

ElementTexts ElementFieldTexts(const Ui::MainWindow& ui) {
  return {FieldText(ui.Text1), FieldText(ui.Text2), FieldText(ui.Text3), FieldText(ui.Text4),
          FieldText(ui.Text5), FieldText(ui.Text6), FieldText(ui.Text7), FieldText(ui.Text8)};
}

}  // namespace

QWidget* MainWindow::fieldBox(Field field) const {
  switch (field) {
    case Field::StartStation:
      return ui_->Text1;
    case Field::EndStation:
      return ui_->Text2;
    case Field::StartX:
      return ui_->Text3;
    case Field::StartY:
      return ui_->Text4;
    case Field::StartAzimuth:
      return ui_->Text5;
    case Field::StartRadius:
      return ui_->Text6;
    case Field::EndRadius:
      return ui_->Text7;
    case Field::TurnDirection:
      return ui_->Text8;
    case Field::ForwardStation:
      return ui_->Text41;
    case Field::ForwardOffset:
      return ui_->Text42;
    case Field::ForwardSkew:
      return ui_->Text43;
    case Field::InverseX:
      return ui_->Text47;
    case Field::InverseY:
      return ui_->Text48;
    case Field::TableStep:
      return ui_->Text9;
    case Field::TableStart:
      return ui_->Text10;
    case Field::TableEnd:
      return ui_->Text11;
    case Field::TableOffset:
      return ui_->Text13;
    case Field::TableSkew:
      return ui_->Text14;
    default:
      return nullptr;
  }
}

void MainWindow::computeForward() {
  const Outcome<ForwardTexts> outcome =
      ComputeForward({ElementFieldTexts(*ui_), FieldText(ui_->Text41), FieldText(ui_->Text42),
                      FieldText(ui_->Text43)});
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    ShowRefusal(boxes_, this, *refusal, fieldBox(refusal->field));
    return;
  }
  const auto& texts = std::get<ForwardTexts>(outcome);
  ui_->Label77->setText(FromUtf8(texts.x));
  ui_->Label78->setText(FromUtf8(texts.y));
  ui_->Label79->setText(FromUtf8(texts.azimuth));
}

void MainWindow::computeInverse() {
  const Outcome<InverseTexts> outcome =
      ComputeInverse({ElementFieldTexts(*ui_), FieldText(ui_->Text47), FieldText(ui_->Text48)});
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    ShowRefusal(boxes_, this, *refusal, fieldBox(refusal->field));
    return;
  }
  const auto& texts = std::get<InverseTexts>(outcome);
  ui_->Label80->setText(FromUtf8(texts.station));
  ui_->Label81->setText(FromUtf8(texts.offset));
}

void MainWindow::computeTable() {
  std::optional<BusyCursor> busy(std::in_place);
  Outcome<std::string> outcome =
      ComputeTable({ElementFieldTexts(*ui_), FieldText(ui_->Text10), FieldText(ui_->Text11),
                    FieldText(ui_->Text9), FieldText(ui_->Text13), FieldText(ui_->Text14)});
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    busy.reset();
    ShowRefusal(boxes_, this, *refusal, fieldBox(refusal->field));
    return;
  }
  // The box keeps the table's UTF-8 as it is: a long table is tens of
  // megabytes, and twice that in UTF-16.
  ui_->Text12->setTableUtf8(std::move(std::get<std::string>(outcome)));
}

void MainWindow::clearElement() {
  for (QLineEdit* box : {ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4, ui_->Text5, ui_->Text6,
                         ui_->Text7, ui_->Text8})
    box->clear();
  ui_->Text1->setFocus(Qt::OtherFocusReason);
}

void MainWindow::saveTable() {
  SaveResultsTable(this, *CDg1_, boxes_, *ui_->Text12, ui_->txtFileName);
}

// ---- Menus -----------------------------------------------------------------

FileCommandControls MainWindow::fileControls() const {
  return {{ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4, ui_->Text5, ui_->Text6, ui_->Text7,
           ui_->Text8},
          ui_->txtFileName};
}

void MainWindow::importElement() {
  ImportElement(this, *CDg1_, boxes_, fileControls());
}

void MainWindow::exportElement() {
  ExportElement(this, *CDg1_, boxes_, fileControls());
}

void MainWindow::closeAll() {
  // Every window of the system goes at once; nothing is asked.
  QApplication::closeAllWindows();
}

void MainWindow::showAzimuthWindow() {
  ShowSingleWindow(azimuthWindow_, boxes_);
}

void MainWindow::showAngleRadianWindow() {
  ShowSingleWindow(angleRadianWindow_, boxes_);
}

// The route window's 送到主窗口 fills the element fields, so that the single
// point tools of this window work on the element chosen there.
void MainWindow::showRouteWindow() {
  const auto send = [this](const std::array<QString, 8>& texts) {
    const FileCommandControls controls = fileControls();
    for (size_t i = 0; i < texts.size(); ++i) controls.elementFields[i]->setText(texts[i]);
  };
  ShowSingleWindow(routeWindow_, boxes_, fileDialogs_, send);
}

void MainWindow::showAbout() {
  ShowSingleWindow(aboutWindow_, boxes_, platform_);
}

void MainWindow::startTextEditor() {
  const QString greeting =
      QStringLiteral("   欢迎使用记事本文档，更多测量资料请访问：") + kBlogPage.toString();
  QString error;
  if (!platform_.openTextEditor(greeting, &error))
    reportStartFailure(QStringLiteral("无法启动“记事本”"), error);
}

void MainWindow::startCalculator() {
  QString error;
  if (!platform_.startCalculator(&error))
    reportStartFailure(QStringLiteral("无法启动“计算器”"), error);
}

void MainWindow::showHelp() {
  QString error;
  if (!platform_.openWebPage(kHelpPage, &error))
    reportStartFailure(QStringLiteral("无法打开“联机帮助”"), error);
}

void MainWindow::reportStartFailure(const QString& what, const QString& why) {
  QString reason = why.trimmed();
  while (!reason.isEmpty() && QStringLiteral("。.！!").contains(reason.back())) reason.chop(1);
  const QString text = reason.isEmpty()
                           ? what + QStringLiteral("！")
                           : what + QStringLiteral("：") + reason + QStringLiteral("！");
  boxes_.show(this, text, MessageIcon::Exclamation, kMessageCaption);
}

}  // namespace tarnvel
