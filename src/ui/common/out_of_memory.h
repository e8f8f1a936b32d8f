// No allocation failure ends the program. Every handler of a window runs
// inside CatchOutOfMemory: a std::bad_alloc (a table of tens of gigabytes, a
// pasted text too large to hold) is shown as a message and the program goes
// on, with the typed fields as they were. Each handler changes its controls
// only after its large allocations have succeeded, so a failure changes
// nothing.
#pragma once

#include <QString>
#include <new>
#include <utility>

class QWidget;

namespace tarnvel {

class MessageBoxes;

inline const QString kOutOfMemory = QStringLiteral("内存不足，无法完成此操作！");

// Shows kOutOfMemory (caption "提示"). Showing it needs little memory; if
// even that fails, nothing is shown.
void ShowOutOfMemory(MessageBoxes& boxes, QWidget* window) noexcept;

template <class Handler>
void CatchOutOfMemory(MessageBoxes& boxes, QWidget* window, Handler&& handler) {
  try {
    std::forward<Handler>(handler)();
  } catch (const std::bad_alloc&) {
    ShowOutOfMemory(boxes, window);
  }
}

}  // namespace tarnvel
