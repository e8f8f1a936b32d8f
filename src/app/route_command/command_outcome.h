// What a command of tarnvel-route gives back: a refusal for standard error,
// or the text to write and the exit status.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "command_line.h"
#include "command_output.h"
#include "save_file.h"

namespace tarnvel {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitOutOfTolerance = 1;  // check found a joint 超限
inline constexpr int kExitRefused = 2;         // an input was refused
// An output file took its place, and then a later one could not.
inline constexpr int kExitPartlyWritten = 3;

// The message of that status: why the later output failed, then the files
// already in place.
QString PartlyWrittenMessage(const QString& refusal, const QStringList& written);

struct CommandResult {
  std::string text;  // UTF-8, CR LF line ends
  int status = kExitSuccess;
  // Bytes to write as they are, in place of the text in the chosen
  // encoding: a file format of its own, such as LandXML.
  std::optional<QByteArray> bytes = std::nullopt;
  // The --pdf file, written and waiting to take its place after the text.
  std::shared_ptr<SavingFile> pdf = nullptr;
};

using CommandOutcome = std::variant<ArgumentRefusal, CommandResult>;

CommandOutcome RunCheck(const RouteCommandLine& line);
// Forward and inverse write their tables to `output` as they compute them;
// their result holds no text.
CommandOutcome RunForward(const RouteCommandLine& line, CommandOutput& output);
CommandOutcome RunInverse(const RouteCommandLine& line, CommandOutput& output);
// Writes the element table to the -o file, the design table to the --table
// file and to standard output, as it makes them; the files take their place
// only once every output is made. Its result holds no text.
CommandOutcome RunFromJd(const RouteCommandLine& line);
CommandOutcome RunExport(const RouteCommandLine& line);
// Writes the 竖曲线表, or the design elevations of a range or a stations
// file, to `output` as it makes them; its result holds no text.
CommandOutcome RunProfile(const RouteCommandLine& line, CommandOutput& output);
// Writes the widths and slopes of every part at the stations of a range or
// a stations file to `output`; its result holds no text.
CommandOutcome RunSections(const RouteCommandLine& line, CommandOutput& output);

}  // namespace tarnvel
