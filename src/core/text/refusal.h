// What a computation gives back to its window: either a refusal to show, or
// the texts to show.
#pragma once

#include <string>
#include <string_view>
#include <variant>

namespace tarnvel {

// The fields a computation reads, by what they hold. Each window knows which
// of its controls holds each of its fields.
enum class Field {
  // The eight fields of the line element, in the order of ElementTexts.
  StartStation,
  EndStation,
  StartX,
  StartY,
  StartAzimuth,
  StartRadius,
  EndRadius,
  TurnDirection,
  // One point computed forward: its station, its offset and its skew.
  ForwardStation,
  ForwardOffset,
  ForwardSkew,
  // The point whose station and offset are computed back.
  InverseX,
  InverseY,
  // The table of stations: its step, its first and last station, and the
  // offset and skew of every row.
  TableStep,
  TableStart,
  TableEnd,
  TableOffset,
  TableSkew,
  // The angle converter: an angle in degrees, minutes and seconds, or in
  // radians.
  Degrees,
  Minutes,
  Seconds,
  Radians,
  // The azimuth tool: the coordinates of the points A and B.
  XA,
  YA,
  XB,
  YB,
};

// Why a computation refuses, which decides how the refusal is told.
enum class RefusalKind {
  MissingInput,    // a field left blank, or the data not all typed
  UnusableValue,   // a value the computation cannot take, or its result
  DivisionByZero,  // the azimuth tool's two points with the same X
};

// One message, then the keyboard focus into `field`. Nothing else changes.
struct Refusal {
  std::string message;
  RefusalKind kind = RefusalKind::MissingInput;
  Field field = Field::StartStation;

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

inline Refusal MissingInput(Field field, std::string_view name) {
  return {"请输入“" + std::string(name) + "”！", RefusalKind::MissingInput, field};
}

inline Refusal NotANumber(Field field, std::string_view name) {
  return {"输入" + NotANumberText(name), RefusalKind::UnusableValue, field};
}

inline Refusal OutOfNumberRange(Field field, std::string_view name) {
  return {"输入" + OutOfNumberRangeText(name), RefusalKind::UnusableValue, field};
}

// A result that came out infinite or not a number is never shown.
inline Refusal NotComputable(Field field) {
  return {"计算结果超出数值范围，请检查输入数据！", RefusalKind::UnusableValue, field};
}

}  // namespace tarnvel
