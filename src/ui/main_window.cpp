#include "main_window.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "about_window.h"
#include "angle_radian_window.h"
#include "azimuth_window.h"
#include "continuous_computation.h"
#include "file_commands.h"
#include "file_dialog.h"
#include "field_text.h"
#include "form_geometry.h"
#include "forward_computation.h"
#include "inverse_computation.h"
#include "message_boxes.h"
#include "out_of_memory.h"
#include "platform.h"
#include "route_window.h"
#include "single_window.h"
#include "ui_main_window.h"

namespace tarnvel {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromStdString(text); }

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
    : QMainWindow(parent), ui_(std::make_unique<Ui::MainWindow>()), boxes_(boxes),
      platform_(platform), fileDialogs_(fileDialogs), CDg1_(new SharedFileDialog(fileDialogs, this)) {
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

QString MainWindow::resultsText() const { return ui_->Text12->tableText(); }

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
  onSelected(ui_->Option1, &MainWindow::option1Clicked);
  onSelected(ui_->Option2, &MainWindow::option2Clicked);
  onSelected(ui_->OptionButton1, &MainWindow::optionButton1Clicked);
  onSelected(ui_->OptionButton2, &MainWindow::optionButton2Clicked);

  connect(ui_->Command2, &QPushButton::clicked, this, guarded(&MainWindow::command2Clicked));
  connect(ui_->Command4, &QPushButton::clicked, this, guarded(&MainWindow::command4Clicked));
  connect(ui_->Command6, &QPushButton::clicked, this, guarded(&MainWindow::command6Clicked));
  connect(ui_->Command3, &QPushButton::clicked, this, guarded(&MainWindow::command3Clicked));
  connect(ui_->Command7, &QPushButton::clicked, this, guarded(&MainWindow::command7Clicked));
  connect(ui_->Text12, &ResultsBox::outOfMemory, this, [this] { ShowOutOfMemory(boxes_, this); });

  connect(ui_->Open, &QAction::triggered, this, guarded(&MainWindow::openTriggered));
  connect(ui_->Export, &QAction::triggered, this, guarded(&MainWindow::exportTriggered));
  connect(ui_->Exit, &QAction::triggered, this, guarded(&MainWindow::exitTriggered));
  connect(ui_->FWJ, &QAction::triggered, this, guarded(&MainWindow::fwjTriggered));
  connect(ui_->Red, &QAction::triggered, this, guarded(&MainWindow::redTriggered));
  connect(ui_->Route, &QAction::triggered, this, guarded(&MainWindow::routeTriggered));
  connect(ui_->Notepad, &QAction::triggered, this, guarded(&MainWindow::notepadTriggered));
  connect(ui_->Calc, &QAction::triggered, this, guarded(&MainWindow::calcTriggered));
  connect(ui_->LianBang, &QAction::triggered, this, guarded(&MainWindow::lianBangTriggered));
  connect(ui_->About, &QAction::triggered, this, guarded(&MainWindow::aboutTriggered));
}

// ---- Mode switches ---------------------------------------------------------

void MainWindow::option1Clicked() {
  ui_->Label80->clear();
  ui_->Label81->clear();
  ui_->Command4->setEnabled(false);
  ui_->Command7->setEnabled(false);
  ui_->Frame6->hide();
  ui_->Frame8->hide();
  // Back to single point; when this changes the sub-mode, its own switch
  // runs here through the toggled signal.
  ui_->OptionButton1->setChecked(true);
  ui_->OptionButton1->setEnabled(true);
  ui_->OptionButton2->setEnabled(true);
  ui_->Frame4->show();
  ui_->Command2->show();
  ui_->Command2->setEnabled(true);
  ui_->Command6->hide();
}

void MainWindow::option2Clicked() {
  ui_->Label77->clear();
  ui_->Label78->clear();
  ui_->Label79->clear();
  ui_->Command4->setEnabled(true);
  ui_->Frame5->show();
  ui_->Frame6->show();
  ui_->Frame7->show();
  // Whichever "点击正算" button was shown stays shown, greyed; the sub-mode
  // keeps its selection for the way back.
  ui_->Command2->setEnabled(false);
  ui_->Command6->setEnabled(false);
  ui_->Command7->setEnabled(false);
  ui_->OptionButton1->setEnabled(false);
  ui_->OptionButton2->setEnabled(false);
  ui_->Frame4->hide();
  ui_->Frame8->hide();
  ui_->Frame9->hide();
}

void MainWindow::optionButton1Clicked() {
  ui_->Command6->hide();
  ui_->Command7->setEnabled(false);
  ui_->Frame6->hide();
  ui_->Frame8->hide();
  ui_->Frame9->hide();
  ui_->Frame4->show();
  ui_->Frame5->show();
  ui_->Frame7->show();
  ui_->Command2->show();
  ui_->Command4->show();
}

void MainWindow::optionButton2Clicked() {
  ui_->Command6->show();
  ui_->Command6->setEnabled(true);
  ui_->Command7->setEnabled(true);
  ui_->Frame8->show();
  ui_->Frame9->show();
  ui_->Frame4->hide();
  ui_->Frame5->hide();
  ui_->Frame6->hide();
  ui_->Frame7->hide();
  ui_->Command2->hide();
  ui_->Command4->setEnabled(false);
}

// ---- Computations ----------------------------------------------------------

namespace {

ElementTexts ElementFieldTexts(const Ui::MainWindow& ui) {
  return {FieldText(ui.Text1), FieldText(ui.Text2), FieldText(ui.Text3), FieldText(ui.Text4),
          FieldText(ui.Text5), FieldText(ui.Text6), FieldText(ui.Text7), FieldText(ui.Text8)};
}

}  // namespace

void MainWindow::command2Clicked() {
  const Outcome<ForwardTexts> outcome = ComputeForward(
      {ElementFieldTexts(*ui_), FieldText(ui_->Text41), FieldText(ui_->Text42), FieldText(ui_->Text43)});
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    ShowRefusal(boxes_, this, *refusal);
    return;
  }
  const auto& texts = std::get<ForwardTexts>(outcome);
  ui_->Label77->setText(FromUtf8(texts.x));
  ui_->Label78->setText(FromUtf8(texts.y));
  ui_->Label79->setText(FromUtf8(texts.azimuth));
}

void MainWindow::command4Clicked() {
  const Outcome<InverseTexts> outcome =
      ComputeInverse({ElementFieldTexts(*ui_), FieldText(ui_->Text47), FieldText(ui_->Text48)});
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    ShowRefusal(boxes_, this, *refusal);
    return;
  }
  const auto& texts = std::get<InverseTexts>(outcome);
  ui_->Label80->setText(FromUtf8(texts.station));
  ui_->Label81->setText(FromUtf8(texts.offset));
}

void MainWindow::command6Clicked() {
  std::optional<BusyCursor> busy(std::in_place);
  Outcome<std::string> outcome =
      ComputeTable({ElementFieldTexts(*ui_), FieldText(ui_->Text10), FieldText(ui_->Text11),
                    FieldText(ui_->Text9), FieldText(ui_->Text13), FieldText(ui_->Text14)});
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    busy.reset();
    ShowRefusal(boxes_, this, *refusal);
    return;
  }
  // The box keeps the table's UTF-8 as it is: a long table is tens of
  // megabytes, and twice that in UTF-16.
  ui_->Text12->setTableUtf8(std::move(std::get<std::string>(outcome)));
}

void MainWindow::command3Clicked() {
  for (QLineEdit* box : {ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4, ui_->Text5,
                         ui_->Text6, ui_->Text7, ui_->Text8})
    box->clear();
  ui_->Text1->setFocus(Qt::OtherFocusReason);
}

void MainWindow::command7Clicked() {
  SaveResultsTable(this, *CDg1_, boxes_, *ui_->Text12, ui_->txtFileName);
}

// ---- Menus -----------------------------------------------------------------

FileCommandControls MainWindow::fileControls() const {
  return {{ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4, ui_->Text5, ui_->Text6, ui_->Text7,
           ui_->Text8},
          ui_->txtFileName};
}

void MainWindow::openTriggered() { ImportElement(this, *CDg1_, boxes_, fileControls()); }

void MainWindow::exportTriggered() { ExportElement(this, *CDg1_, boxes_, fileControls()); }

void MainWindow::exitTriggered() {
  // Every window of the system goes at once; nothing is asked.
  QApplication::closeAllWindows();
}

void MainWindow::fwjTriggered() { ShowSingleWindow(azimuthWindow_, boxes_); }

void MainWindow::redTriggered() { ShowSingleWindow(angleRadianWindow_, boxes_); }

// The route window's 送到主窗口 fills the element fields, so that the single
// point tools of this window work on the element chosen there.
void MainWindow::routeTriggered() {
  const auto send = [this](const std::array<QString, 8>& texts) {
    const FileCommandControls controls = fileControls();
    for (size_t i = 0; i < texts.size(); ++i) controls.elementFields[i]->setText(texts[i]);
  };
  ShowSingleWindow(routeWindow_, boxes_, fileDialogs_, send);
}

void MainWindow::aboutTriggered() { ShowSingleWindow(aboutWindow_, boxes_, platform_); }

void MainWindow::notepadTriggered() {
  const QString greeting =
      QStringLiteral("   欢迎使用记事本文档，更多测量资料请访问：") + kBlogPage.toString();
  QString error;
  if (!platform_.openTextEditor(greeting, &error))
    reportStartFailure(QStringLiteral("无法启动“记事本”"), error);
}

void MainWindow::calcTriggered() {
  QString error;
  if (!platform_.startCalculator(&error))
    reportStartFailure(QStringLiteral("无法启动“计算器”"), error);
}

void MainWindow::lianBangTriggered() {
  QString error;
  if (!platform_.openWebPage(kHelpPage, &error))
    reportStartFailure(QStringLiteral("无法打开“联机帮助”"), error);
}

void MainWindow::reportStartFailure(const QString& what, const QString& why) {
  QString reason = why.trimmed();
  while (!reason.isEmpty() && QStringLiteral("。.！!").contains(reason.back())) reason.chop(1);
  const QString text = reason.isEmpty() ? what + QStringLiteral("！")
                                        : what + QStringLiteral("：") + reason + QStringLiteral("！");
  boxes_.show(this, text, MessageIcon::Exclamation, kMessageCaption);
}

}  // namespace tarnvel
