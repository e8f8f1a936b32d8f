#include "io/route/stakeout_input.h"

#include "io/files/delimited_text.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

StakeStation StakeStationOf(const StationLine& line) {
  return {line.line, line.name.toStdString(), line.station, line.pass, line.offset, line.skewDms};
}

QString StakeoutStopMessage(const StakeoutStop& stop, const QString& stationsPath) {
  switch (stop.why) {
    case StakeoutStop::Why::Refused: {
      const QString message = QString::fromStdString(stop.message);
      if (stop.line == 0) return message;
      return InFile(stationsPath, LineRefusal(stop.line, message)).message;
    }
    case StakeoutStop::Why::NotComputable:
      return kRouteNotComputable;
    case StakeoutStop::Why::Ended:
      break;
  }
  return {};
}

}  // namespace tarnvel
