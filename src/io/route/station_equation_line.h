// The line that declares a 断链 in a route file or a JD file, anywhere among
// the other lines: "断链,等号前桩号,等号后桩号", for example
// "断链,K1+680.000,K1+700.000" for a 20 m 短链.
#pragma once

#include <QString>

#include "core/route/station_equation.h"
#include "io/files/delimited_text.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

// The word the line begins with, and the names its stations have in messages.
inline const QString kStationEquationWord = QStringLiteral("断链");
inline const QString kStationEquationBack = QStringLiteral("等号前桩号");
inline const QString kStationEquationAhead = QStringLiteral("等号后桩号");

// True when a line's first field is the word 断链. Such a line may stand
// anywhere in its file, above the header too (a RecordTest).
bool DeclaresStationEquation(const QStringList& fields);

// The two stations, each in metres or as K text (ReadStationField); refused
// as that refuses, and for a field beyond the two.
ContentOutcome<StationEquation> ReadStationEquationLine(const DelimitedLine& line);

// The line that declares `equation`, fields apart by commas and ended by
// CR LF, each station in metres in the general decimal form (GeneralText),
// which reads back to the same double: "断链,1680,1700\r\n".
QString StationEquationLineText(const StationEquation& equation);

}  // namespace tarnvel
