// tarnvel-route: a route's joint check, and its forward and inverse
// computations in batches, for scripts. Messages go to standard error; the
// result goes to standard output or, all or nothing, to the -o file.
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <new>

#include "app/route_command/command_line.h"
#include "io/files/same_file.h"
#include "io/files/text_encoding.h"

namespace {

using namespace tarnvel;

int Refused(const QString& message) {
  // nowhere left to report its failure
  std::fputs((message + u'\n').toUtf8().constData(), stderr);
  return kExitRefused;
}

// The refusal of an -o or --pdf file that is one of the command's inputs, by
// another name or the same: the save would replace what it was made from;
// or of a --pdf file that is another of its outputs.
std::optional<QString> OutputOverInput(const CommandFiles& line) {
  for (const std::optional<QString>& target : {line.output, line.pdf}) {
    if (!target) continue;
    for (const QString& input : {line.route, line.points, line.stations.value_or(QString()),
                                 line.profile.value_or(QString()),
                                 line.sections.value_or(QString()), line.ground.value_or(QString()),
                                 line.tin.value_or(QString()), line.slopes.value_or(QString())})
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

int RunLine(const ReadyCommand& command) {
  const CommandFiles& line = *command.files;
  if (const auto refusal = OutputOverInput(line)) return Refused(*refusal);
  CommandOutput output(line.output, line.encoding);
  const CommandOutcome outcome = command.run(output);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&outcome))
    return Refused(refusal->message);
  const CommandResult& result = std::get<CommandResult>(outcome);
  // Its files, its table and its PDF are written as it makes them.
  if (command.output == OutputMode::OwnFiles) return result.status;
  if (const auto failure = output.Finish()) return Refused(*failure);
  // The PDF takes its place last, once the table it prints is out whole.
  if (!result.pdf) return result.status;
  const auto refusal = result.pdf->Finish();
  if (!refusal) return result.status;
  if (!line.output) return Refused(refusal->message);
  std::fputs((PartlyWrittenMessage(refusal->message, {*line.output}) + u'\n').toUtf8().constData(),
             stderr);
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
    CommandOutput output(std::nullopt, TextEncoding::Utf8);
    output.Add(information->text.toStdString());
    if (const auto failure = output.Finish()) return Refused(*failure);
    return kExitSuccess;
  }
  // An input too large for the memory ends as any refusal does, and an
  // unfinished save is dropped on the way out, the old file kept.
  const ReadyCommand& command = std::get<ReadyCommand>(parsed);
  if (command.files->pdf) {
    app.reset();
    app = PaintingApplication(argc, argv);
    NameApplication();
  }
  try {
    return RunLine(command);
  } catch (const std::bad_alloc&) {
    return Refused(QStringLiteral("内存不足，无法完成此操作！"));
  }
}
