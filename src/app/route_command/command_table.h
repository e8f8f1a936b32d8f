// The commands of tarnvel-route, one entry each: its name, the files it is
// given, the options it takes, the stations it is computed at, how it reads
// its options into its own struct, its run and its output. A new command is
// an entry in RouteCommands() and its run function.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/route_command/command_options.h"
#include "io/files/text_encoding.h"

namespace tarnvel {

// A file given by position.
enum class FileKind { Route, JdTable, Points, Profile, Sections };

// The files a command is given by position, in order (--jd stands for a
// first Route or JdTable); and the file -o must name, for a command that
// cannot write to standard output.
struct CommandInputs {
  std::vector<FileKind> files;
  QString requiredOutput = {};
};

// Whether a command is computed at stations, a range's (--from, --to,
// --step) or a stations file's: not, when asked, or always.
enum class StationsRule { None, Optional, Required };

enum class OutputMode {
  Text,      // a report, or a file format of its own, in the encoding asked for
  Csv,       // a table for Excel: in UTF-8, marked as such
  OwnFiles,  // written by the command itself, each file through an output of its own
};

// The command line once every value it gives has been read strictly, for a
// command's entry to take its options from.
class CommandArguments {
 public:
  explicit CommandArguments(const QCommandLineParser& parser) : parser_(parser) {}
  // Reads the values of the options given, in a fixed order: the refusal of
  // the first that does not read. `passes`: --from and --to may name a pass
  // over a 长链's repeated stretch.
  std::optional<ArgumentRefusal> ReadValues(bool passes);

  bool isSet(const QString& name) const { return parser_.isSet(name); }
  QString value(const QString& name) const { return parser_.value(name); }
  double number(const QString& name, double otherwise) const;
  std::string prefix() const;
  JointTolerances tolerances() const;
  std::vector<double> offsets() const { return offsets_; }
  std::optional<TextEncoding> encoding() const { return encoding_; }  // when given
  std::optional<StationRange> range() const;                          // when given

 private:
  const QCommandLineParser& parser_;
  std::map<QString, double> numbers_;
  int fromPass_ = 1, toPass_ = 1;
  std::vector<double> offsets_{0};
  std::optional<TextEncoding> encoding_;
};

struct ReadyCommand {
  std::shared_ptr<const CommandFiles> files;
  OutputMode output;
  std::function<CommandOutcome(CommandOutput&)> run;
};

struct RouteCommandEntry {
  QString name;
  CommandInputs inputs;
  // What it takes besides -o, --alignment, --help and --version: any other
  // option is refused.
  QStringList options;
  StationsRule stations;
  OutputMode output;
  // Its options from the arguments that passed every check, and its files.
  std::function<ReadyCommand(const CommandArguments&, const CommandFiles&)> read;
};

// The entry of a command whose options are an Options: `take` copies them
// from the arguments.
template <class Options>
RouteCommandEntry Command(QString name, CommandInputs inputs, QStringList options,
                          StationsRule stations, OutputMode output,
                          void (*take)(const CommandArguments&, Options&),
                          CommandOutcome (*run)(const Options&, CommandOutput&)) {
  return {std::move(name),
          std::move(inputs),
          std::move(options),
          stations,
          output,
          [output, take, run](const CommandArguments& arguments, const CommandFiles& files) {
            auto options = std::make_shared<Options>();
            static_cast<CommandFiles&>(*options) = files;
            take(arguments, *options);
            return ReadyCommand{options, output,
                                [options, run](CommandOutput& out) { return run(*options, out); }};
          }};
}

const std::vector<RouteCommandEntry>& RouteCommands();

}  // namespace tarnvel
