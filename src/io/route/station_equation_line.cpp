#include "io/route/station_equation_line.h"

#include "core/text/number_text.h"

namespace tarnvel {

bool DeclaresStationEquation(const QStringList& fields) {
  return !fields.isEmpty() && fields[0] == kStationEquationWord;
}

ContentOutcome<StationEquation> ReadStationEquationLine(const DelimitedLine& line) {
  constexpr qsizetype kFieldCount = 3;
  if (line.fields.size() > kFieldCount) return TooManyFields(line, kFieldCount);
  ContentOutcome<double> back = ReadStationField(line, 1, kStationEquationBack);
  if (auto* refusal = std::get_if<ContentRefusal>(&back)) return std::move(*refusal);
  ContentOutcome<double> ahead = ReadStationField(line, 2, kStationEquationAhead);
  if (auto* refusal = std::get_if<ContentRefusal>(&ahead)) return std::move(*refusal);
  return StationEquation{std::get<double>(back), std::get<double>(ahead)};
}

QString StationEquationLineText(const StationEquation& equation) {
  return kStationEquationWord + u',' + QString::fromStdString(GeneralText(equation.back)) + u',' +
         QString::fromStdString(GeneralText(equation.ahead)) + QStringLiteral("\r\n");
}

}  // namespace tarnvel
