// The tool windows exist at most once each. The main window keeps a QPointer
// to each; the pointer falls back to null when the window is destroyed
// (the tool windows delete themselves on closing).
#pragma once

#include <QPointer>
#include <QWidget>
#include <utility>

namespace tarnvel {

// Brings the window forward, as the user left it, while it is open; creates
// it afresh, from `args`, once it has been closed. Never blocks.
template <class Window, class... Args>
Window* ShowSingleWindow(QPointer<Window>& window, Args&&... args) {
  // A closed window may still wait for its deferred deletion; it counts as
  // gone already.
  if (window && window->isHidden()) {
    window->deleteLater();
    window = nullptr;
  }
  if (!window) window = new Window(std::forward<Args>(args)...);
  window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

}  // namespace tarnvel
