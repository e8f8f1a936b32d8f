#include <QFileInfo>
#include <cstdio>
#include <functional>
#include <tuple>

#include "app/route_command/command_options.h"
#include "app/route_command/command_pdf.h"
#include "core/jd/declared_chains.h"
#include "core/jd/design_table_text.h"
#include "io/files/delimited_text.h"
#include "io/files/same_file.h"
#include "io/files/save_file.h"
#include "io/files/text_encoding.h"
#include "io/route/jd_file.h"
#include "io/route/route_file.h"
#include "io/route/station_equation_line.h"

namespace tarnvel {

namespace {

// The --table file may replace neither the JD file nor the -o file.
std::optional<QString> TableOverAnother(const FromJdOptions& line) {
  if (!line.table) return std::nullopt;
  for (const QString& other : {line.route, *line.output})
    if (SameFile(*line.table, other) ||
        QFileInfo(*line.table).absoluteFilePath() == QFileInfo(other).absoluteFilePath())
      return QStringLiteral("“--table”文件“%1”与文件“%2”是同一个文件！")
          .arg(FileNameForMessage(*line.table), FileNameForMessage(other));
  return std::nullopt;
}

// The element table's lines, written a batch of elements at a time as they
// are handed over: the route file's text (RouteFileText) without holding it
// whole. A name the route file could not give back is refused.
class ElementLines {
 public:
  ElementLines(const QString& path, CommandOutput& output) : path_(path), output_(output) {}

  std::optional<QString> Add(RouteElement&& element) {
    const std::string_view name = element.name;
    if (name.find_first_of(",\t\r\n") != std::string_view::npos ||
        name.find("，") != std::string_view::npos)
      return CannotSave(path_, QStringLiteral("第%1个线元的名称含有逗号、制表符或换行符")
                                   .arg(QString::number(count_ + 1)))
          .message;
    ++count_;
    batch_.push_back(std::move(element));
    if (batch_.size() < kBatch) return std::nullopt;
    return Write();
  }

  // Writes the last batch, and the header of a table without elements.
  std::optional<QString> Finish() { return Write(); }

 private:
  static constexpr size_t kBatch = 4096;

  std::optional<QString> Write() {
    if (batch_.empty() && count_ > 0) return std::nullopt;
    QString text = RouteFileText(batch_);
    static const qsizetype header = RouteFileText({}).size();
    if (!first_) text.remove(0, header);
    first_ = false;
    batch_.clear();
    if (output_.Add(text.toStdString())) return std::nullopt;
    return output_.failure();
  }

  QString path_;
  CommandOutput& output_;
  std::vector<RouteElement> batch_;
  size_t count_ = 0;
  bool first_ = true;
};

}  // namespace

CommandOutcome RunFromJd(const FromJdOptions& line, CommandOutput&) {
  if (const auto refusal = TableOverAnother(line)) return ArgumentRefusal{*refusal};
  FileOutcome<JdTable> read = ReadJdFile(line.route);
  if (const auto* refusal = std::get_if<FileRefusal>(&read))
    return ArgumentRefusal{refusal->message};
  const JdTable& table = std::get<JdTable>(read);
  const std::vector<JdPoint>& points = table.points;
  const double start = JdStartStation(table, line.source.startStation);
  // A table's refusal is said as RouteFromJd and the JD file say it.
  if (CheckJdTable(points, start)) {
    FileOutcome<JdRoute> jd = InFile(line.route, JdRouteOfTable(table, start));
    return ArgumentRefusal{std::get<FileRefusal>(jd).message};
  }
  // The design table has a row for each point.
  if (line.pdf)
    if (auto refusal = PdfRowsRefusal(static_cast<double>(points.size()))) return *refusal;

  // The element table, as the route is laid, without the route: a million
  // JDs' four million elements and their search index are never held. An
  // element a route would refuse is refused as RouteFromJd refuses it.
  std::optional<CommandOutput> elements;
  auto writeElements = [&](const std::function<void(const JdElementSink&)>& forEach) {
    elements.emplace(line.output, line.encoding);
    ElementLines lines(*line.output, *elements);
    std::optional<QString> failure;
    bool sound = true;
    forEach([&](RouteElement&& element, int, bool fits) {
      sound = fits;
      if (fits) failure = lines.Add(std::move(element));
      return sound && !failure;
    });
    if (!failure && sound) failure = lines.Finish();
    // The declarations follow the elements, so that the file checks as the
    // JD table does.
    for (const StationEquation& equation : table.equations)
      if (!failure && sound && !elements->Add(StationEquationLineText(equation).toStdString()))
        failure = elements->failure();
    if (!failure && sound) failure = elements->Flush();
    return std::pair{sound, failure};
  };
  // Plain variables, not a structured binding: the design table's lambda
  // below captures `failure`, which clang 14 cannot do with a binding.
  bool sound = true;
  std::optional<QString> failure;
  // The stations jump at the declared 断链, as JdRouteOfTable's route's do.
  DeclaredChains chains(table.equations);
  std::tie(sound, failure) = writeElements([&](const JdElementSink& sink) {
    ForEachJdElement(points, start, [&](RouteElement&& element, int row, bool fits) {
      if (!fits) return sink(std::move(element), row, false);
      return chains.Lay(std::move(element),
                        [&](RouteElement&& piece) { return sink(std::move(piece), row, true); });
    });
  });
  if (!sound) {
    // Said by the route it would make; should the route take every element
    // after all, they are written from it.
    FileOutcome<JdRoute> jd = InFile(line.route, JdRouteOfTable(table, start));
    if (const auto* refusal = std::get_if<FileRefusal>(&jd))
      return ArgumentRefusal{refusal->message};
    std::tie(sound, failure) = writeElements([&](const JdElementSink& sink) {
      for (const RouteElement& element : std::get<JdRoute>(jd).route.elements)
        if (!sink(RouteElement(element), 0, true)) return;
    });
  }
  if (failure) return ArgumentRefusal{*failure};

  // The design table, to the --table file and standard output at once. A
  // 交点桩号 of the table that the computation does not reach is a typo of
  // the design's, or of its typing: said, and the table still made.
  std::optional<CommandOutput> csv;
  // The design table's CSV goes to Excel as the stakeout's does: marked.
  if (line.table)
    csv.emplace(line.table,
                line.encoding == TextEncoding::Utf8 ? TextEncoding::Utf8WithBom : line.encoding);
  CommandOutput printed(std::nullopt, line.encoding);
  const auto add = [&](CommandOutput& output, std::string_view text) {
    if (!failure && !output.Add(text)) failure = output.failure();
  };
  if (csv) add(*csv, DesignTableHeaderLine(','));
  add(printed, DesignTableHeaderLine('\t'));
  // The PDF prints the same cells; it holds them as text.
  auto pdfRows = std::make_shared<std::vector<QStringList>>();
  size_t i = 0;
  ForEachDesignRow(points, start, table.equations, [&](const DesignRow& row) {
    if (line.pdf) {
      QStringList& cells = pdfRows->emplace_back();
      for (const std::string& cell : DesignRowTexts(row, line.prefix))
        cells << QString::fromStdString(cell);
    }
    if (const auto difference = JdStationMismatch(row, points[i].station)) {
      const QString message =
          InFile(line.route,
                 LineRefusal(table.lines[i], QString::fromStdString(JdStationMismatchText(
                                                 row, i, points.size(), *difference, line.prefix))))
              .message;
      std::fputs((message + u'\n').toUtf8().constData(), stderr);
    }
    ++i;
    if (csv) add(*csv, DesignTableLine(row, ',', line.prefix));
    add(printed, DesignTableLine(row, '\t', line.prefix));
  });
  if (csv && !failure) failure = csv->Flush();
  if (!failure) failure = printed.Flush();
  std::shared_ptr<SavingFile> pdf;
  if (line.pdf && !failure) {
    TableDocument document;
    document.title = QStringLiteral("直线、曲线及转角表");
    document.notes = CommandTitleBlock(line.route);
    for (std::string_view column : kDesignTableColumns)
      document.header << QString::fromUtf8(column.data(), static_cast<qsizetype>(column.size()));
    document.rowCount = static_cast<qsizetype>(pdfRows->size());
    document.row = [pdfRows](qsizetype i) { return (*pdfRows)[static_cast<size_t>(i)]; };
    auto written = WriteCommandPdf(*line.pdf, document);
    if (const auto* refusal = std::get_if<FileRefusal>(&written)) {
      failure = refusal->message;
    } else {
      pdf = std::get<std::shared_ptr<SavingFile>>(written);
    }
  }
  if (failure) return ArgumentRefusal{*failure};
  // Every file is whole and on the medium; they take their places in turn.
  // Once one has, a later one that cannot take its own (its name made a
  // folder meanwhile, say) leaves the earlier in place: not status 2, which
  // says that nothing was written, but 3, naming the files written.
  std::vector<std::pair<QString, std::function<std::optional<QString>()>>> files;
  files.emplace_back(*line.output, [&] { return elements->Finish(); });
  if (csv) files.emplace_back(*line.table, [&] { return csv->Finish(); });
  if (pdf)
    files.emplace_back(*line.pdf, [&]() -> std::optional<QString> {
      if (auto refusal = pdf->Finish()) return refusal->message;
      return std::nullopt;
    });
  QStringList written;
  for (const auto& [path, finish] : files) {
    if (const std::optional<QString> refusal = finish()) {
      if (written.isEmpty()) return ArgumentRefusal{*refusal};
      std::fputs((PartlyWrittenMessage(*refusal, written) + u'\n').toUtf8().constData(), stderr);
      return CommandResult{kExitPartlyWritten};
    }
    written << path;
  }
  return CommandResult{};
}

}  // namespace tarnvel
