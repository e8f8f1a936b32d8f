#include "survey_point_file.h"

#include "number_text.h"

namespace tarnvel {

std::string SurveyPointFileText(std::span<const ForwardCsvRow> rows) {
  std::string text;
  // Names and labels are short; the two coordinates take most of a line.
  text.reserve(rows.size() * 48);
  char buffer[2 * kNumberTextRoom + 8];
  for (const ForwardCsvRow& row : rows) {
    text += row.name;
    text += ',';
    text += row.point.label;
    char* out = buffer;
    *out++ = ',';
    out = WriteFixedText(out, row.point.result.point.Y, 4);
    *out++ = ',';
    out = WriteFixedText(out, row.point.result.point.X, 4);
    out = WriteText(out, ",\r\n");
    text.append(buffer, out);
  }
  return text;
}

}  // namespace tarnvel
