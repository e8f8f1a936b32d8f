#include "ui/tools/help_window.h"

#include <QFile>

#include "ui/common/form_geometry.h"
#include "ui_help_window.h"

namespace tarnvel {

namespace {

// README.md is built into the program as this resource (src/ui/CMakeLists.txt).
const QString kUserGuide = QStringLiteral(":/help/README.md");

QString UserGuide() {
  QFile file(kUserGuide);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::HelpWindow>()) {
  ui_->setupUi(this);
  setAttribute(Qt::WA_DeleteOnClose);
  ui_->guide->setMarkdown(UserGuide());
  FitFormToScreen(this);
}

HelpWindow::~HelpWindow() = default;

}  // namespace tarnvel
