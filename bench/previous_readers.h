// The stations and points files as they were read before their records were
// parsed line by line, kept to be measured beside today's readers.
#pragma once

#include <QString>
#include <vector>

#include "io/route/point_file.h"
#include "io/route/station_file.h"

namespace tarnvel {

FileOutcome<std::vector<StationLine>> PreviousReadStationFile(const QString& path);
FileOutcome<std::vector<SurveyPoint>> PreviousReadPointFile(const QString& path);

}  // namespace tarnvel
