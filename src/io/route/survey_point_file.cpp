#include "io/route/survey_point_file.h"

#include "core/profile/cut_fill_text.h"
#include "core/text/number_text.h"

namespace tarnvel {

void AppendSurveyPointLine(std::string& out, const StakeRow& row) {
  char buffer[3 * kNumberTextRoom + 8];
  out += row.name;
  out += ',';
  out += row.point.label;
  char* end = buffer;
  *end++ = ',';
  end = WriteFixedText(end, row.point.result.point.Y, 4);
  *end++ = ',';
  end = WriteFixedText(end, row.point.result.point.X, 4);
  *end++ = ',';
  if (row.designElevation) end = WriteFixedText(end, *row.designElevation, kHeightDecimals);
  end = WriteText(end, "\r\n");
  out.append(buffer, end);
}

std::string SurveyPointFileText(std::span<const StakeRow> rows) {
  std::string text;
  // Names and labels are short; the two coordinates take most of a line.
  text.reserve(rows.size() * 48);
  for (const StakeRow& row : rows) AppendSurveyPointLine(text, row);
  return text;
}

bool IsSurveyPointPath(const QString& path) {
  return path.endsWith(QStringLiteral(".dat"), Qt::CaseInsensitive);
}

}  // namespace tarnvel
