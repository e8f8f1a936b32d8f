// The label a stakeout point carries in its 说明: a key point's (ZH, QZ …),
// an edge's (左行车道外) or none, which is what nearly every one of a
// million rows has. Held in one pointer, nothing for no label, where a
// std::string takes 32 bytes in every row; otherwise read and written as
// the std::string it replaces.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>

namespace tarnvel {

class PointLabel {
 public:
  PointLabel() noexcept = default;
  PointLabel(std::string_view text);
  PointLabel(const char* text) : PointLabel(std::string_view(text)) {}
  PointLabel(const std::string& text) : PointLabel(std::string_view(text)) {}
  PointLabel(const PointLabel& other) : PointLabel(other.view()) {}
  PointLabel(PointLabel&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
  PointLabel& operator=(PointLabel other) noexcept {
    std::swap(text_, other.text_);
    return *this;
  }
  ~PointLabel() { delete[] text_; }

  bool empty() const { return text_ == nullptr; }
  std::string_view view() const;
  const char* c_str() const { return text_ ? text_ + sizeof(std::size_t) : ""; }
  operator std::string_view() const { return view(); }
  operator std::string() const { return std::string(view()); }

  PointLabel& operator+=(std::string_view more);

  friend bool operator==(const PointLabel& a, const PointLabel& b) { return a.view() == b.view(); }

 private:
  // The text's size, its bytes and a NUL; null for the empty text.
  char* text_ = nullptr;
};

std::ostream& operator<<(std::ostream& out, const PointLabel& label);

}  // namespace tarnvel
