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

// The one wording of a text that does not read as a number, and of one
// beyond the double range, after whatever says where it stands: "输入",
// "文件“…”第5行", "选项“--offset”的值".
inline std::string NotANumberText(std::string_view quoted) {
  return "“" + std::string(quoted) + "”不是有效的数字！";
}
inline std::string OutOfNumberRangeText(std::string_view quoted) {
  return "“" + std::string(quoted) + "”超出数值范围！";
}

inline Refusal MissingInput(std::string_view field, std::string_view name) {
  return {"请输入“" + std::string(name) + "”！", MessageIcon::Information, field};
}

inline Refusal NotANumber(std::string_view field, std::string_view name) {
  return {"输入" + NotANumberText(name), MessageIcon::Exclamation, field};
}

inline Refusal OutOfNumberRange(std::string_view field, std::string_view name) {
  return {"输入" + OutOfNumberRangeText(name), MessageIcon::Exclamation, field};
}

// A result that came out infinite or not a number is never shown.
inline Refusal NotComputable(std::string_view field) {
  return {"计算结果超出数值范围，请检查输入数据！", MessageIcon::Exclamation, field};
}

}  // namespace tarnvel
