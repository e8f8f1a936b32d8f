// tarnvel-route: a route's joint check, and its forward and inverse
// computations in batches, for scripts. Messages go to standard error; the
// result goes to standard output or, all or nothing, to the -o file.
#include <QCoreApplication>
#include <cstdio>

#include "command_outcome.h"
#include "gbk_file_writer.h"
#include "save_file.h"

namespace {

using namespace tarnvel;

void Print(std::FILE* stream, const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stream);
  std::fflush(stream);
}

int Refused(const QString& message) {
  Print(stderr, (message + u'\n').toUtf8());
  return kExitRefused;
}

CommandOutcome Run(const RouteCommandLine& line) {
  switch (line.command) {
    case RouteCommand::Check: return RunCheck(line);
    case RouteCommand::Forward: return RunForward(line);
    case RouteCommand::Inverse: return RunInverse(line);
    case RouteCommand::Export: return RunExport(line);
  }
  return ArgumentRefusal{};
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication app(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tarnvel-route"));
  QCoreApplication::setApplicationVersion(QStringLiteral(TARNVEL_VERSION));

  const auto parsed = ParseRouteCommandLine(QCoreApplication::arguments().mid(1));
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&parsed)) return Refused(refusal->message);
  if (const auto* information = std::get_if<InformationText>(&parsed)) {
    Print(stdout, information->text.toUtf8());
    return kExitSuccess;
  }
  const RouteCommandLine& line = std::get<RouteCommandLine>(parsed);

  const CommandOutcome outcome = Run(line);
  if (const auto* refusal = std::get_if<ArgumentRefusal>(&outcome)) return Refused(refusal->message);
  const CommandResult& result = std::get<CommandResult>(outcome);
  if (result.bytes) {
    if (!line.output) {
      Print(stdout, *result.bytes);
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
    Print(stdout, std::get<QByteArray>(bytes));
  }
  return result.status;
}
