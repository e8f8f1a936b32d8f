// tarnvel-route: a route's joint check, and its forward and inverse
// computations in batches, for scripts. Messages go to standard error; the
// result goes to standard output or, all or nothing, to the -o file.
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <new>

#include "command_outcome.h"
#include "gbk_file_writer.h"
#include "same_file.h"
#include "save_file.h"

namespace {

using namespace tarnvel;

// Whether every byte reached the stream: a script that redirected the output
// to a full disk must not be told that it worked.
bool Print(std::FILE* stream, const QByteArray& bytes) {
  const size_t written =
      std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
  return std::fflush(stream) == 0 && written == static_cast<size_t>(bytes.size());
}

int Refused(const QString& message) {
  Print(stderr, (message + u'\n').toUtf8());  // nowhere left to report its failure
  return kExitRefused;
}

// The refusal of an -o or --pdf file that is one of the command's inputs, by
// another name or the same: the save would replace what it was made from;
// or of a --pdf file that is another of its outputs.
std::optional<QString> OutputOverInput(const RouteCommandLine& line) {
  for (const std::optional<QString>& target : {line.output, line.pdf}) {
    if (!target) continue;
    for (const QString& input :
         {line.route, line.points, line.stations.value_or(QString()),
          line.profile.value_or(QString()), line.sections.value_or(QString())})
      if (!input.isEmpty() && SameFile(*target, input))
        return QStringLiteral("输出文件“%1”与输入文件“%2”是同一个文件，不能覆盖输入！")
            .arg(FileNameForMessage(*target), FileNameForMessage(input));
  }
  if (!line.pdf) return std::nullopt;
  for (const std::optional<QString>& other : {line.output, line.table})
    if (other && (SameFile(*line.pdf, *other) ||
                  QFileInfo(*line.pdf).absoluteFilePath() == QFileInfo(*other).absoluteFilePath()))
      return QStringLiteral("“--pdf”文件“%1”与文件“%2”是同一个文件！")
          .arg(FileNameForMessage(*line.pdf), FileNameForMessage(*other));
  return std::nullopt;
}

const QString kStandardOutputFailure = QStringLiteral("写入标准输出时出错，输出不完整！");

CommandOutcome Run(const RouteCommandLine& line, CommandOutput& output) {
  switch (line.command) {
    case RouteCommand::Check:
      return RunCheck(line);
    case RouteCommand::Forward:
      return RunForward(line, output);
    case RouteCommand::Inverse:
      return RunInverse(line, output);
    case RouteCommand::FromJd:
      return RunFromJd(line);
    case RouteCommand::Export:
      return RunExport(line);
    case RouteCommand::Profile:
      return RunProfile(line, output);
    case RouteCommand::Sections:
      return RunSections(line, output);
  }
  return ArgumentRefusal{};
}

int RunLine(const RouteCommandLine& line) {
  if (const auto refusal = OutputOverInput(line)) return Refused(*refusal);
  CommandOutput output(line.output, line.encoding);
  const CommandOutcome outcome = Run(line, output);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&outcome))
    return Refused(refusal->message);
  const CommandResult& result = std::get<CommandResult>(outcome);
  if (line.command == RouteCommand::Forward || line.command == RouteCommand::Inverse ||
      line.command == RouteCommand::Profile || line.command == RouteCommand::Sections) {
    if (const auto failure = output.Finish()) return Refused(*failure);
  } else if (line.command == RouteCommand::FromJd) {
    return result.status;  // its files, its table and its PDF are written as it makes them
  } else if (result.bytes) {
    if (!line.output) {
      if (!Print(stdout, *result.bytes)) return Refused(kStandardOutputFailure);
    } else if (const auto refusal = SaveFileBytes(*line.output, *result.bytes)) {
      return Refused(refusal->message);
    }
  } else if (line.output) {
    if (const auto refusal = SaveTextFile(*line.output, result.text, line.encoding))
      return Refused(refusal->message);
  } else {
    const auto bytes = EncodeText(result.text, line.encoding);
    if (const char32_t* character = std::get_if<char32_t>(&bytes))
      return Refused(QStringLiteral("输出中的%1！").arg(OutsideGbkReason(*character)));
    if (!Print(stdout, std::get<QByteArray>(bytes))) return Refused(kStandardOutputFailure);
  }
  // The PDF takes its place last, once the table it prints is out whole.
  if (!result.pdf) return result.status;
  const auto refusal = result.pdf->Finish();
  if (!refusal) return result.status;
  if (!line.output) return Refused(refusal->message);
  Print(stderr, (PartlyWrittenMessage(refusal->message, {*line.output}) + u'\n').toUtf8());
  return kExitPartlyWritten;
}

// Painting a PDF takes Qt Gui's application. The command shows no window,
// so it paints on the offscreen platform, which needs no display: a script
// on a server prints as well as one on a desktop.
// Qt's own notes on the way (a runtime folder it had to guess, say) are not
// the command's messages: standard error carries only those.
std::unique_ptr<QCoreApplication> PaintingApplication(int& argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static const QtMessageHandler qtHandler = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) qtHandler(type, context, message);
      });
  return std::make_unique<QGuiApplication>(argc, argv);
}

void NameApplication() {
  QCoreApplication::setApplicationName(QStringLiteral("tarnvel-route"));
  QCoreApplication::setApplicationVersion(QStringLiteral(TARNVEL_VERSION));
}

}  // namespace

int main(int argc, char* argv[]) {
  auto app = std::make_unique<QCoreApplication>(argc, argv);
  NameApplication();

  const auto parsed = ParseRouteCommandLine(QCoreApplication::arguments().mid(1));
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&parsed)) return Refused(refusal->message);
  if (const auto* information = std::get_if<InformationText>(&parsed)) {
    if (!Print(stdout, information->text.toUtf8())) return Refused(kStandardOutputFailure);
    return kExitSuccess;
  }
  // An input too large for the memory ends as any refusal does, and an
  // unfinished save is dropped on the way out, the old file kept.
  const RouteCommandLine& line = std::get<RouteCommandLine>(parsed);
  if (line.pdf) {
    app.reset();
    app = PaintingApplication(argc, argv);
    NameApplication();
  }
  try {
    return RunLine(line);
  } catch (const std::bad_alloc&) {
    return Refused(QStringLiteral("内存不足，无法完成此操作！"));
  }
}
