// What each command of tarnvel-route is given, read from its arguments, and
// the function that runs it with that.
#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "app/route_command/command_outcome.h"
#include "app/route_command/command_output.h"
#include "core/route/route_joints.h"
#include "core/surface/ground.h"
#include "io/files/text_encoding.h"
#include "io/route/route_source.h"

namespace tarnvel {

// A station range, metres.
struct StationRange {
  double from = 0, to = 0, step = 0;
  double curveStep = 0;          // 0: none
  int fromPass = 1, toPass = 1;  // across a 长链: the branch of `from`, `to` (SplitStationPass)
};

// The files a command reads and writes, as every command names them: no
// output may replace an input or another output.
struct CommandFiles {
  QString route;              // ROUTE, or the JD file (from-jd, --jd; source.jdTable)
  RouteSourceOptions source;  // its alignment only for a LandXML route
  QString points;             // POINTS, for inverse
  std::optional<QString> stations;
  std::optional<QString> profile;   // PROFILE, or --profile
  QString profileAlignment;         // --alignment for a LandXML profile
  std::optional<QString> sections;  // S, or --sections
  std::optional<QString> ground;    // --ground: the ground line file
  // --tin: the ground as a surface, a points file or LandXML, in place of
  // --ground; --max-edge peels a points file's outline, and its sections
  // reach --ground-width each side.
  std::optional<QString> tin;
  std::optional<double> maxEdge;
  double groundWidth = kDefaultGroundWidth;
  std::optional<QString> slopes;  // --slopes: the side slope file
  std::optional<QString> output;  // -o FILE; standard output without it
  std::optional<QString> table;   // from-jd --table FILE: the design table's CSV
  // --pdf FILE: the command's table printed, besides its other outputs
  std::optional<QString> pdf;
  // The CSVs carry the byte-order mark in UTF-8; a report for the terminal
  // and from-jd's printed table and element file do not.
  TextEncoding encoding = TextEncoding::Utf8;
};

struct CheckOptions : CommandFiles {
  JointTolerances tolerances;
};

// The stakeout at a range's stations or a stations file's.
struct ForwardOptions : CommandFiles {
  std::string prefix = "K";  // of the 桩号 written
  JointTolerances tolerances;
  std::optional<StationRange> range;  // none: the stations file
  std::vector<double> offsets{0};
  double skewDms = 90;
  bool keyPoints = false;
  bool serialNames = false;      // a range's rows named 1…n, not by station and side
  bool surveyPointFile = false;  // -o FILE.dat: "点名,编码,Y,X,H" lines, no header
  bool edges = false;            // the 边桩 rows at every part's outer edge
};

// The catch points of the side slopes at a range's stations or a stations
// file's.
struct SlopesOptions : CommandFiles {
  std::string prefix = "K";
  JointTolerances tolerances;
  std::optional<StationRange> range;  // none: the stations file
  bool keyPoints = false;
  bool breaks = false;           // a row for each slope break before the catch point
  bool surveyPointFile = false;  // -o FILE.dat: the catch points (and breaks) only
};

// The ground cut from a surface at a range's stations or a stations
// file's: blocks of the ground line file, or the ground on the centre line.
struct GroundOptions : CommandFiles {
  std::string prefix = "K";
  JointTolerances tolerances;
  std::optional<StationRange> range;  // none: the stations file
  bool keyPoints = false;
  bool centre = false;  // "桩号,里程,地面高程" rows instead of the blocks
};

// The volumes table (路基土石方数量计算表) at a range's stations or a
// stations file's.
struct EarthworksOptions : CommandFiles {
  std::string prefix = "K";
  JointTolerances tolerances;
  std::optional<StationRange> range;  // none: the stations file
  bool keyPoints = false;
  bool curvatureCorrection = false;  // the volumes by Pappus' rule
};

struct InverseOptions : CommandFiles {
  std::string prefix = "K";
  JointTolerances tolerances;
  double maxOffset = 100;
  bool all = false;
};

struct FromJdOptions : CommandFiles {
  std::string prefix = "K";
};

using ExportOptions = CommandFiles;

// The 竖曲线表, or the design elevations at a range's stations or a
// stations file's.
struct ProfileOptions : CommandFiles {
  std::string prefix = "K";
  std::optional<StationRange> range;
  bool keyPoints = false;
};

struct SectionsOptions : CommandFiles {
  std::string prefix = "K";
  std::optional<StationRange> range;  // none: the stations file
};

// Each writes its result to `output` as it makes it; their results hold no
// text.
CommandOutcome RunCheck(const CheckOptions& line, CommandOutput& output);
CommandOutcome RunForward(const ForwardOptions& line, CommandOutput& output);
CommandOutcome RunInverse(const InverseOptions& line, CommandOutput& output);
CommandOutcome RunExport(const ExportOptions& line, CommandOutput& output);
CommandOutcome RunProfile(const ProfileOptions& line, CommandOutput& output);
CommandOutcome RunSections(const SectionsOptions& line, CommandOutput& output);
CommandOutcome RunSlopes(const SlopesOptions& line, CommandOutput& output);
CommandOutcome RunGround(const GroundOptions& line, CommandOutput& output);
CommandOutcome RunEarthworks(const EarthworksOptions& line, CommandOutput& output);
// Writes the element table to the -o file, the design table to the --table
// file and to standard output, as it makes them, each through an output of
// its own; the files take their place only once every output is made.
CommandOutcome RunFromJd(const FromJdOptions& line, CommandOutput& output);

}  // namespace tarnvel
