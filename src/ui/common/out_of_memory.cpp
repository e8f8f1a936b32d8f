#include "out_of_memory.h"

#include "message_boxes.h"

namespace tarnvel {

void ShowOutOfMemory(MessageBoxes& boxes, QWidget* window) noexcept {
  try {
    boxes.show(window, kOutOfMemory, MessageIcon::Exclamation, kMessageCaption);
  } catch (...) {
  }
}

}  // namespace tarnvel
