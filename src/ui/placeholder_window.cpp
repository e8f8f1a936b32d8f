#include "placeholder_window.h"

namespace tarnvel {

PlaceholderWindow::PlaceholderWindow()
    : QLabel(QStringLiteral("Tarnvel：主窗口正在建设中。")) {
  setWindowTitle(QStringLiteral("Tarnvel"));
  setMargin(40);
}

}  // namespace tarnvel
