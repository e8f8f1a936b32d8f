#include "core/route/point_label.h"

#include <cstring>
#include <ostream>

namespace tarnvel {

namespace {

// A block holding `first` then `second`, or null when both are empty.
char* Block(std::string_view first, std::string_view second = {}) {
  const std::size_t size = first.size() + second.size();
  if (size == 0) return nullptr;
  char* block = new char[sizeof(std::size_t) + size + 1];
  std::memcpy(block, &size, sizeof size);
  char* text = block + sizeof size;
  if (!first.empty()) std::memcpy(text, first.data(), first.size());
  if (!second.empty()) std::memcpy(text + first.size(), second.data(), second.size());
  text[size] = '\0';
  return block;
}

}  // namespace

PointLabel::PointLabel(std::string_view text) : text_(Block(text)) {}

std::string_view PointLabel::view() const {
  if (!text_) return {};
  std::size_t size = 0;
  std::memcpy(&size, text_, sizeof size);
  return {text_ + sizeof size, size};
}

PointLabel& PointLabel::operator+=(std::string_view more) {
  if (more.empty()) return *this;
  char* joined = Block(view(), more);
  delete[] text_;
  text_ = joined;
  return *this;
}

std::ostream& operator<<(std::ostream& out, const PointLabel& label) {
  return out << label.view();
}

}  // namespace tarnvel
