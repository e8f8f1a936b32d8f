#include <QFileInfo>
#include <cstdio>

#include "command_outcome.h"
#include "delimited_text.h"
#include "design_table_text.h"
#include "encoded_text_stream.h"
#include "gbk_file_writer.h"
#include "jd_file.h"
#include "route_file.h"
#include "same_file.h"
#include "save_file.h"

namespace tarnvel {

namespace {

const QString kStandardOutputFailure = QStringLiteral("写入标准输出时出错，输出不完整！");

// One of from-jd's outputs, encoded as its text is made: a file, saved all or
// nothing, or standard output. A file is put in place only by Finish, once
// every output has been made, so that a failure of any leaves none.
class FromJdOutput {
 public:
  FromJdOutput(std::optional<QString> path, TextEncoding encoding)
      : path_(std::move(path)),
        stream_(encoding, [this](QByteArrayView bytes) { return Write(bytes); }) {}

  // Adds whole rows of UTF-8 text: nothing, or why the output failed.
  std::optional<QString> Add(std::string_view utf8) {
    if (stream_.Add(utf8)) return std::nullopt;
    return Failure();
  }

  // Writes out what is held, and forces a file to the medium.
  std::optional<QString> Flush() {
    if (!stream_.Flush()) return Failure();
    if (!path_) {
      if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return std::nullopt;
      return kStandardOutputFailure;
    }
    if (!file_ && !Write({})) return failure_;
    if (auto refusal = file_->Flush()) return refusal->message;
    return std::nullopt;
  }

  std::optional<QString> Finish() {
    if (!file_) return std::nullopt;
    if (auto refusal = file_->Finish()) return refusal->message;
    return std::nullopt;
  }

 private:
  bool Write(QByteArrayView bytes) {
    if (!path_) {
      const auto size = static_cast<size_t>(bytes.size());
      if (std::fwrite(bytes.data(), 1, size, stdout) == size) return true;
      failure_ = kStandardOutputFailure;
      return false;
    }
    if (!file_) {
      auto begun = SavingFile::Begin(*path_);
      if (const auto* refusal = std::get_if<FileRefusal>(&begun)) {
        failure_ = refusal->message;
        return false;
      }
      file_ = std::move(std::get<std::unique_ptr<SavingFile>>(begun));
    }
    if (file_->Write(bytes)) return true;
    failure_ = file_->Finish()->message;  // refused: a write failed
    return false;
  }

  QString Failure() {
    if (const std::optional<char32_t> character = stream_.unencodable())
      failure_ = path_ ? CannotSave(*path_, OutsideGbkReason(*character)).message
                       : QStringLiteral("输出中的%1！").arg(OutsideGbkReason(*character));
    return failure_;
  }

  std::optional<QString> path_;
  std::unique_ptr<SavingFile> file_;
  EncodedTextStream stream_;
  QString failure_;
};

// The --table file may replace neither the JD file nor the -o file.
std::optional<QString> TableOverAnother(const RouteCommandLine& line) {
  if (!line.table) return std::nullopt;
  for (const QString& other : {line.route, *line.output})
    if (SameFile(*line.table, other) ||
        QFileInfo(*line.table).absoluteFilePath() == QFileInfo(other).absoluteFilePath())
      return QStringLiteral("“--table”文件“%1”与文件“%2”是同一个文件！")
          .arg(FileNameForMessage(*line.table), FileNameForMessage(other));
  return std::nullopt;
}

}  // namespace

CommandOutcome RunFromJd(const RouteCommandLine& line) {
  if (const auto refusal = TableOverAnother(line)) return ArgumentRefusal{*refusal};
  FileOutcome<JdTable> read = ReadJdFile(line.route);
  if (const auto* refusal = std::get_if<FileRefusal>(&read))
    return ArgumentRefusal{refusal->message};
  const JdTable& table = std::get<JdTable>(read);
  const std::vector<JdPoint>& points = table.points;
  const double start = JdStartStation(table, line.source.startStation);
  FileOutcome<JdRoute> jd = JdRouteOfTable(line.route, table, start);
  if (const auto* refusal = std::get_if<FileRefusal>(&jd)) return ArgumentRefusal{refusal->message};
  const JdRoute& route = std::get<JdRoute>(jd);
  auto row = [&](size_t i) {
    return DesignTableRow(points, route.curves, route.straightAfter, start, i);
  };

  // A 交点桩号 of the table that the computation does not reach is a typo
  // of the design's, or of its typing: said, and the table still made.
  std::string mismatches;
  for (size_t i = 0; i < points.size(); ++i) {
    const DesignRow made = row(i);
    if (const auto difference = JdStationMismatch(made, points[i].station))
      mismatches +=
          LineRefusal(
              line.route, table.lines[i],
              QString::fromStdString(JdStationMismatchText(made, i, points.size(), *difference)))
              .message.toStdString() +
          "\n";
  }
  if (!mismatches.empty()) {
    std::fputs(mismatches.c_str(), stderr);
    std::fflush(stderr);
  }

  // The route file as the route window reads it back: a name it could not
  // give back is refused before anything is written.
  for (size_t i = 0; i < route.route.elements.size(); ++i)
    if (std::string_view(route.route.elements[i].name).find_first_of(",\t\r\n") !=
            std::string_view::npos ||
        QString::fromStdString(route.route.elements[i].name).contains(u'，'))
      return ArgumentRefusal{
          CannotSave(*line.output, QStringLiteral("第%1个线元的名称含有逗号、制表符或换行符")
                                       .arg(QString::number(i + 1)))
              .message};
  FromJdOutput elements(line.output, line.encoding);
  if (auto failure = elements.Add(RouteFileText(route.route.elements).toStdString()))
    return ArgumentRefusal{*failure};
  if (auto failure = elements.Flush()) return ArgumentRefusal{*failure};

  std::optional<FromJdOutput> csv;
  if (line.table) {
    csv.emplace(line.table, line.encoding);
    if (auto failure = csv->Add(DesignTableHeaderLine(','))) return ArgumentRefusal{*failure};
    for (size_t i = 0; i < points.size(); ++i)
      if (auto failure = csv->Add(DesignTableLine(row(i), ','))) return ArgumentRefusal{*failure};
    if (auto failure = csv->Flush()) return ArgumentRefusal{*failure};
  }

  FromJdOutput printed(std::nullopt, line.encoding);
  if (auto failure = printed.Add(DesignTableHeaderLine('\t'))) return ArgumentRefusal{*failure};
  for (size_t i = 0; i < points.size(); ++i)
    if (auto failure = printed.Add(DesignTableLine(row(i), '\t'))) return ArgumentRefusal{*failure};
  if (auto failure = printed.Flush()) return ArgumentRefusal{*failure};

  if (auto failure = elements.Finish()) return ArgumentRefusal{*failure};
  if (csv)
    if (auto failure = csv->Finish()) return ArgumentRefusal{*failure};
  return CommandResult{};
}

}  // namespace tarnvel
