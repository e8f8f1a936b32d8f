#include "ui/common/out_of_memory.h"

#include "ui/common/message_boxes.h"

namespace tarnvel {

void ShowOutOfMemory(MessageBoxes& boxes, QWidget* window) noexcept {
  try {
    boxes.show(window, kOutOfMemory, MessageIcon::Exclamation, kMessageCaption);
  } catch (...) {
  }
}

}  // namespace tarnvel
