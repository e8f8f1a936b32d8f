// The End checks of a LandXML alignment as a text table under the joint
// report of `check`.
#pragma once

#include <string>
#include <vector>

#include "io/landxml/landxml_import.h"

namespace tarnvel {

// A heading line, a header row, one row per element whose End the file gives
// (element, XML line, ΔX, ΔY and Δ mm to 1 decimal, Δaz ″ to 2 decimals or
// empty without `dirEnd`, 闭合 or 超限 by `tolerances`), then a summary. The
// differences are the file's End minus Tarnvel's computed end. Every line
// ends in CR LF. Empty when there are no checks.
std::string EndCheckReportText(const std::vector<LandXmlEndCheck>& checks,
                               const JointTolerances& tolerances);

}  // namespace tarnvel
