#include "app/route_command/command_table.h"

#include "io/files/text_encoding.h"
#include "io/route/survey_point_file.h"

namespace tarnvel {

const std::vector<RouteCommandEntry>& RouteCommands() {
  using enum FileKind;
  static const std::vector<RouteCommandEntry> commands = {
      Command<CheckOptions>(
          "check", {{Route}},
          {"encoding", "pdf", "jd", "start-station", "tol-position", "tol-azimuth"},
          StationsRule::None, OutputMode::Text,
          [](const CommandArguments& a, CheckOptions& o) { o.tolerances = a.tolerances(); },
          RunCheck),
      Command<ForwardOptions>(
          "forward", {{Route}},
          {"encoding",   "pdf",    "jd",         "start-station", "tol-position", "from",
           "to",         "step",   "curve-step", "stations",      "offset",       "skew",
           "key-points", "names",  "prefix",     "profile",       "sections",     "edges",
           "ground",     "slopes", "tin",        "max-edge",      "ground-width"},
          StationsRule::Required, OutputMode::Csv,
          [](const CommandArguments& a, ForwardOptions& o) {
            o.prefix = a.prefix();
            o.tolerances = a.tolerances();
            o.range = a.range();
            o.offsets = a.offsets();
            o.skewDms = a.number("skew", 90);
            o.keyPoints = a.isSet("key-points");
            o.serialNames = a.value("names").toLower() == u"serial";
            o.edges = a.isSet("edges");
            // A stakeout saved as .dat goes into an instrument, which takes
            // no mark: GBK unless told otherwise, as the route window saves it.
            o.surveyPointFile = o.output && IsSurveyPointPath(*o.output);
            if (o.surveyPointFile) o.encoding = a.encoding().value_or(TextEncoding::Gbk);
          },
          RunForward),
      Command<InverseOptions>(
          "inverse", {{Route, Points}},
          {"encoding", "jd", "start-station", "prefix", "max-offset", "all", "profile", "sections",
           "slopes", "ground", "tin", "max-edge", "ground-width"},
          StationsRule::None, OutputMode::Csv,
          [](const CommandArguments& a, InverseOptions& o) {
            o.prefix = a.prefix();
            o.maxOffset = a.number("max-offset", 100);
            o.all = a.isSet("all");
          },
          RunInverse),
      Command<FromJdOptions>(
          "from-jd", {{JdTable}, QStringLiteral("线元表文件")},
          {"encoding", "table", "pdf", "start-station", "prefix"}, StationsRule::None,
          OutputMode::OwnFiles,
          [](const CommandArguments& a, FromJdOptions& o) { o.prefix = a.prefix(); }, RunFromJd),
      Command<ExportOptions>(
          "export", {{Route}}, {"jd", "start-station", "profile"}, StationsRule::None,
          OutputMode::Text, [](const CommandArguments&, ExportOptions&) {}, RunExport),
      Command<ProfileOptions>(
          "profile", {{Profile}},
          {"encoding", "from", "to", "step", "stations", "key-points", "prefix"},
          StationsRule::Optional, OutputMode::Csv,
          [](const CommandArguments& a, ProfileOptions& o) {
            o.prefix = a.prefix();
            o.range = a.range();
            o.keyPoints = a.isSet("key-points");
            // The 竖曲线表 is printed for the terminal, unmarked, as
            // from-jd's table is.
            if (!o.output && !o.range && !o.stations)
              o.encoding = a.encoding().value_or(TextEncoding::Utf8);
          },
          RunProfile),
      Command<SectionsOptions>(
          "sections", {{Sections}}, {"encoding", "from", "to", "step", "stations", "prefix"},
          StationsRule::Required, OutputMode::Csv,
          [](const CommandArguments& a, SectionsOptions& o) {
            o.prefix = a.prefix();
            o.range = a.range();
          },
          RunSections),
      Command<SlopesOptions>(
          "slopes", {{Route}},
          {"encoding", "pdf", "jd", "start-station", "tol-position", "from", "to", "step",
           "stations", "key-points", "prefix", "profile", "sections", "ground", "slopes", "breaks",
           "tin", "max-edge", "ground-width"},
          StationsRule::Required, OutputMode::Csv,
          [](const CommandArguments& a, SlopesOptions& o) {
            o.prefix = a.prefix();
            o.tolerances = a.tolerances();
            o.range = a.range();
            o.keyPoints = a.isSet("key-points");
            o.breaks = a.isSet("breaks");
            // As forward's: an instrument's file, GBK unless told otherwise.
            o.surveyPointFile = o.output && IsSurveyPointPath(*o.output);
            if (o.surveyPointFile) o.encoding = a.encoding().value_or(TextEncoding::Gbk);
          },
          RunSlopes),
      // The blocks are read by other software, which takes no mark.
      Command<GroundOptions>(
          "ground", {{Route}},
          {"jd", "start-station", "tol-position", "from", "to", "step", "stations", "key-points",
           "prefix", "tin", "max-edge", "ground-width", "centre"},
          StationsRule::Required, OutputMode::Text,
          [](const CommandArguments& a, GroundOptions& o) {
            o.prefix = a.prefix();
            o.tolerances = a.tolerances();
            o.range = a.range();
            o.keyPoints = a.isSet("key-points");
            o.centre = a.isSet("centre");
          },
          RunGround),
      Command<EarthworksOptions>(
          "earthworks", {{Route}},
          {"encoding", "pdf", "jd", "start-station", "tol-position", "from", "to", "step",
           "stations", "key-points", "prefix", "profile", "sections", "ground", "tin", "max-edge",
           "ground-width", "slopes", "curvature-correction"},
          StationsRule::Required, OutputMode::Csv,
          [](const CommandArguments& a, EarthworksOptions& o) {
            o.prefix = a.prefix();
            o.tolerances = a.tolerances();
            o.range = a.range();
            o.keyPoints = a.isSet("key-points");
            o.curvatureCorrection = a.isSet("curvature-correction");
          },
          RunEarthworks),
  };
  return commands;
}

}  // namespace tarnvel
