// What a computation gives back to its window: either a refusal to show, or
// the texts to show.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace tarnvel {

// Missing input is an information; a value the computation cannot take is a
// warning (the exclamation-mark icon).
enum class MessageIcon { Information, Exclamation, None };

// One message box (caption "提示", a single OK button), then the keyboard
// focus into the field whose objectName is `field`. Nothing else changes.
struct Refusal {
  std::string message;
  MessageIcon icon = MessageIcon::Information;
  std::string_view field;

  bool operator==(const Refusal&) const = default;
};

template <class Texts>
using Outcome = std::variant<Refusal, Texts>;

inline Refusal MissingInput(std::string_view field, std::string_view name) {
  return {"请输入“" + std::string(name) + "”！", MessageIcon::Information, field};
}

inline Refusal NotANumber(std::string_view field, std::string_view name) {
  return {"输入“" + std::string(name) + "”不是有效的数字！", MessageIcon::Exclamation,
          field};
}

inline Refusal OutOfNumberRange(std::string_view field, std::string_view name) {
  return {"输入“" + std::string(name) + "”超出数值范围！", MessageIcon::Exclamation,
          field};
}

// A result that came out infinite or not a number is never shown.
inline Refusal NotComputable(std::string_view field) {
  return {"计算结果超出数值范围，请检查输入数据！", MessageIcon::Exclamation, field};
}

}  // namespace tarnvel
