// from-jd as it was before it wrote its tables as it laid the route.
#pragma once

#include <QString>

namespace tarnvel {

// Reads the JD file, makes the whole route from BP at 0, writes the element
// table to `output` and prints the curve table: 0, or 2 on any refusal.
int PreviousFromJd(const QString& jd, const QString& output);

}  // namespace tarnvel
