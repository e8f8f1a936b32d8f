// What a command of tarnvel-route gives back: a refusal for standard error,
// or the exit status.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <variant>

#include "io/files/save_file.h"

namespace tarnvel {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitOutOfTolerance = 1;  // check found a joint 超限
inline constexpr int kExitRefused = 2;         // an input was refused
// An output file took its place, and then a later one could not.
inline constexpr int kExitPartlyWritten = 3;

// The message of that status: why the later output failed, then the files
// already in place.
QString PartlyWrittenMessage(const QString& refusal, const QStringList& written);

// Why the arguments, or the files they name, cannot be run: one message for
// standard error.
struct ArgumentRefusal {
  QString message;
};

// The text goes to the command's output as it is made.
struct CommandResult {
  int status = kExitSuccess;
  // The --pdf file, written and waiting to take its place after the output.
  std::shared_ptr<SavingFile> pdf = nullptr;
};

using CommandOutcome = std::variant<ArgumentRefusal, CommandResult>;

}  // namespace tarnvel
