#include <memory>
#include <string>
#include <vector>

#include "app/route_command/centre_stations.h"
#include "app/route_command/command_files.h"
#include "app/route_command/command_options.h"
#include "app/route_command/command_pdf.h"
#include "core/earthworks/volume_stations.h"
#include "io/earthworks/volume_csv.h"
#include "io/route/route_source.h"

namespace tarnvel {

namespace {

// Each station's row, added to the table and written as it comes.
class VolumeRows {
 public:
  VolumeRows(const EarthworksOptions& line, const EarthworksInputs& in)
      : line_(line), stations_(in), table_(line.curvatureCorrection) {}

  // The row of the station of `point` (its centre-line row), in `text`.
  const std::string& Row(const RoutePoint& point) {
    text_.clear();
    AppendVolumeCsvRow(text_, point.station, line_.prefix, table_.Add(stations_.At(point)));
    return text_;
  }

  const VolumeTable& table() const { return table_; }

 private:
  const EarthworksOptions& line_;
  VolumeStations stations_;
  VolumeTable table_;
  std::string text_;
};

}  // namespace

CommandOutcome RunEarthworks(const EarthworksOptions& line, CommandOutput& output) {
  FileOutcome<Route> readRoute = LoadRoute(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&readRoute))
    return ArgumentRefusal{refusal->message};
  const Route& route = std::get<Route>(readRoute);
  const RoutePositions positions(route);
  const auto read = CommandSlopeFiles(line, positions);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&read)) return *refusal;
  const SlopeFiles& files = std::get<SlopeFiles>(read);
  // A station this close past an end of the profile is at that end.
  const EarthworksInputs inputs{route,          files.profile,
                                files.sections, Ground(files.ground),
                                files.slopes,   line.tolerances.position_mm / 1000};
  VolumeRows rows(line, inputs);
  // The PDF prints the CSV's rows; it holds them as text.
  auto lines = std::make_shared<std::vector<std::string>>();
  const auto keep = [&](const std::string& text) {
    if (line.pdf) lines->push_back(text.substr(0, text.size() - 2));
    return output.Add(text);
  };
  // The header waits in the output's chunk: a refusal before the first
  // rows writes nothing.
  output.Add(VolumeCsvHeader());
  bool failed = false;
  CentreStationsRequest request;
  request.range = line.range;
  request.keyPoints = line.keyPoints;
  request.positionTolerance = line.tolerances.position_mm / 1000;  // mm to m
  request.pdf = line.pdf.has_value();
  const auto refusal = ForEachCentreStation(
      route, line, request,
      [&](const RoutePoint& point) {
        failed = !keep(rows.Row(point));
        return !failed;
      },
      [&]() -> std::optional<ArgumentRefusal> {
        if (failed) return ArgumentRefusal{output.failure()};
        return std::nullopt;
      });
  if (refusal) return *refusal;
  std::string totals;
  AppendVolumeCsvTotals(totals, rows.table());
  if (!keep(totals)) return ArgumentRefusal{output.failure()};
  if (!line.pdf) return CommandResult{};
  if (auto tooLong = PdfRowsRefusal(static_cast<double>(lines->size()))) return *tooLong;
  return CsvTablePdf(*line.pdf, QStringLiteral("路基土石方数量计算表"), line.route,
                     kVolumeCsvHeader, lines);
}

}  // namespace tarnvel
