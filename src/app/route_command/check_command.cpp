#include <algorithm>

#include "app/route_command/command_options.h"
#include "app/route_command/command_pdf.h"
#include "app/route_command/end_check_report.h"
#include "app/route_command/joint_report.h"

namespace tarnvel {

namespace {

QStringList Cells(const TextRow& row) {
  QStringList cells;
  for (const std::string& cell : row) cells << QString::fromStdString(cell);
  return cells;
}

// The joint table printed: the report's first line and the lines after the
// table go under the title.
TableDocument JointReportDocument(const CheckOptions& line, const Route& route,
                                  const std::vector<Joint>& joints) {
  const JointReport report = JointReportParts(route, joints, line.tolerances);
  TableDocument document;
  document.title = QStringLiteral("线元接头检查表");
  document.notes = CommandTitleBlock(line.route);
  for (const std::string& part : {report.head, report.tail})
    document.notes +=
        QString::fromStdString(part).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
  document.header = Cells(report.rows.front());
  auto rows = std::make_shared<std::vector<TextRow>>(report.rows.begin() + 1, report.rows.end());
  document.rowCount = static_cast<qsizetype>(rows->size());
  document.row = [rows](qsizetype i) { return Cells((*rows)[static_cast<size_t>(i)]); };
  return document;
}

}  // namespace

CommandOutcome RunCheck(const CheckOptions& line, CommandOutput& output) {
  FileOutcome<RouteSource> source = LoadRouteSource(line.route, line.source);
  if (const auto* refusal = std::get_if<FileRefusal>(&source))
    return ArgumentRefusal{refusal->message};
  const RouteSource& loaded = std::get<RouteSource>(source);
  // The joint table has a row for each joint.
  if (line.pdf)
    if (auto refusal = PdfRowsRefusal(static_cast<double>(loaded.route.loaded.size()) - 1))
      return *refusal;
  const std::vector<Joint> joints = CheckJoints(loaded.route, line.tolerances);
  // A LandXML file's own End points are checked as the joints are: a
  // disagreement beyond the tolerances is 超限 too.
  // A declared 断链 needs a joint to jump at: a route of one element has none.
  const bool closed =
      std::all_of(joints.begin(), joints.end(), [](const Joint& j) { return j.closed; }) &&
      (!joints.empty() || loaded.route.equations.empty()) &&
      std::all_of(loaded.endChecks.begin(), loaded.endChecks.end(),
                  [&](const LandXmlEndCheck& c) { return EndCheckClosed(c, line.tolerances); });
  CommandResult result{closed ? kExitSuccess : kExitOutOfTolerance};
  if (line.pdf) {
    auto pdf = WriteCommandPdf(*line.pdf, JointReportDocument(line, loaded.route, joints));
    if (const auto* failure = std::get_if<FileRefusal>(&pdf))
      return ArgumentRefusal{failure->message};
    result.pdf = std::get<std::shared_ptr<SavingFile>>(pdf);
  }
  // The report goes out whole, once the PDF is made: a refused PDF leaves
  // nothing written.
  if (!output.Add(JointReportText(loaded.route, joints, line.tolerances) +
                  EndCheckReportText(loaded.endChecks, line.tolerances)))
    return ArgumentRefusal{output.failure()};
  return result;
}

}  // namespace tarnvel
