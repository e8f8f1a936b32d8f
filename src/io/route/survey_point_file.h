// The common survey point file (.dat) of total stations and mapping software:
// "点名,编码,Y,X,H" a line, east before north. A stakeout is saved this way to
// be loaded straight into the instrument.
#pragma once

#include <QString>
#include <span>
#include <string>

#include "io/route/route_csv.h"

namespace tarnvel {

// One line per row: 点名, the key-point label as 编码 (empty off a key point),
// Y and X fixed to 4 decimals (a value that rounds to zero has no minus
// sign), and H the row's design elevation to the millimetre, left empty
// without one (no profile, or a station outside it). No header line; every
// line ends in CR LF.
std::string SurveyPointFileText(std::span<const StakeRow> rows);
// One line of that file, its CR LF included, added to `out`.
void AppendSurveyPointLine(std::string& out, const StakeRow& row);

// True for a file the command writes in this form: its name ends in ".dat".
bool IsSurveyPointPath(const QString& path);

}  // namespace tarnvel
