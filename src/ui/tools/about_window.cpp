#include "ui/tools/about_window.h"

#include <QLabel>
#include <QMouseEvent>

#include "ui/common/form_geometry.h"
#include "ui/common/message_boxes.h"
#include "ui/common/out_of_memory.h"
#include "ui/common/platform.h"
#include "ui_about_window.h"

// The emblem lives in a static library, whose resources are registered only
// when something refers to them.
static void InitToolWindowResources() {
  Q_INIT_RESOURCE(tool_windows);
}

namespace tarnvel {

namespace {

// A click is a left-button release over the label, as with a button.
bool IsClick(QWidget* widget, QEvent* event) {
  if (event->type() != QEvent::MouseButtonRelease) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  return mouse->button() == Qt::LeftButton && widget->rect().contains(mouse->position().toPoint());
}

}  // namespace

AboutWindow::AboutWindow(MessageBoxes& boxes, Platform& platform, QWidget* parent)
    : QWidget(parent, Qt::Window),
      ui_(std::make_unique<Ui::AboutWindow>()),
      boxes_(boxes),
      platform_(platform) {
  InitToolWindowResources();
  ui_->setupUi(this);
  // The line shows the address as people write it, without the scheme; a
  // click opens the full address.
  ui_->Label5->setText(ui_->Label5->text() + kHelpPage.host() + kHelpPage.path());
  FitFormToScreen(this);
  setFixedSize(size());
  setAttribute(Qt::WA_DeleteOnClose);

  ui_->Image1->installEventFilter(this);
  ui_->Label5->installEventFilter(this);
}

AboutWindow::~AboutWindow() = default;

bool AboutWindow::eventFilter(QObject* watched, QEvent* event) {
  // A failed allocation in a handler is a message, never the end of the
  // program.
  if (watched == ui_->Image1 && IsClick(ui_->Image1, event)) {
    CatchOutOfMemory(boxes_, this, [this] { openMakerPage(); });
    return true;
  }
  if (watched == ui_->Label5 && IsClick(ui_->Label5, event)) {
    CatchOutOfMemory(boxes_, this, [this] { openMakerPage(); });
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// The browser runs on its own; the window stays open either way.
void AboutWindow::openMakerPage() {
  QString error;
  if (platform_.openWebPage(kHelpPage, &error)) return;
  boxes_.show(this,
              QStringLiteral("无法打开浏览器，请手动访问网址：%1！").arg(kHelpPage.toString()),
              MessageIcon::Exclamation, kMessageCaption);
}

}  // namespace tarnvel
