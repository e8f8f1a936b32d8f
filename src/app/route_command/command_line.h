// What the user asked tarnvel-route for, read from its arguments: one of the
// commands with its files and settings, the help, or the version.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "route_csv.h"
#include "route_joints.h"
#include "route_source.h"

namespace tarnvel {

enum class RouteCommand { Check, Forward, Inverse, FromJd, Export, Profile, Sections };

// A station range for `forward`, metres.
struct StationRange {
  double from = 0, to = 0, step = 0;
  double curveStep = 0;          // 0: none
  int fromPass = 1, toPass = 1;  // across a 长链: the branch of `from`, `to` (SplitStationPass)
};

struct RouteCommandLine {
  RouteCommand command = RouteCommand::Check;
  QString route;                  // ROUTE, or the JD file (from-jd, --jd; source.jdTable)
  QString points;                 // POINTS, for inverse
  RouteSourceOptions source;      // its alignment only for a LandXML route
  QString profileAlignment;       // --alignment for a LandXML profile
  std::optional<QString> output;  // -o FILE; standard output without it
  std::optional<QString> table;   // from-jd --table FILE: the design table's CSV
  // --pdf FILE: forward's stakeout, from-jd's design table or check's joint
  // table printed, besides the command's other outputs
  std::optional<QString> pdf;
  // The CSVs of forward and inverse carry the byte-order mark in UTF-8, and
  // so does from-jd's --table; check's report and from-jd's printed table and
  // element file do not.
  TextEncoding encoding = TextEncoding::Utf8;
  std::string prefix = "K";  // of the 桩号 written
  // check
  JointTolerances tolerances;
  // forward, and profile's elevations
  std::optional<StationRange> range;
  std::optional<QString> stations;
  std::vector<double> offsets{0};
  double skewDms = 90;
  bool keyPoints = false;
  bool serialNames = false;      // a range's rows named 1…n, not by station and side
  bool surveyPointFile = false;  // -o FILE.dat: "点名,编码,Y,X,H" lines, no header
  // export: a profile to write into the alignment; profile: PROFILE
  std::optional<QString> profile;
  // forward and inverse: the cross sections the heights are taken across;
  // sections: S
  std::optional<QString> sections;
  bool edges = false;  // forward: the 边桩 rows at every part's outer edge
  // inverse
  double maxOffset = 100;
  bool all = false;
};

// A text to print to standard output, then stop: the help or the version.
struct InformationText {
  QString text;
};

// Why the arguments cannot be run, as one message for standard error.
struct ArgumentRefusal {
  QString message;
};

// The arguments without the program's name. Every value is read strictly,
// a station in metres or as K text;
// an option given to a command it does not serve is refused, so that a
// mistyped command line never quietly computes something else.
std::variant<ArgumentRefusal, InformationText, RouteCommandLine> ParseRouteCommandLine(
    const QStringList& arguments);

// The help: the commands, every option with its value and default, the exit
// statuses.
QString RouteCommandHelp();

}  // namespace tarnvel
