// The element the main window opens with: a 360 m spiral from a straight
// into a right-hand curve of radius 4500.
#pragma once

#include "core/element/line_element.h"

namespace tarnvel::testing_support {

inline ElementTexts InitialElement() {
  return {"7586.707", "7946.707", "3378605.445", "453648.704", "98.565562", "0", "4500", "1"};
}

inline ElementTexts WithField(ElementTexts texts, size_t index, std::string text) {
  texts[index] = std::move(text);
  return texts;
}

}  // namespace tarnvel::testing_support
