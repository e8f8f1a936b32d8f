// Where a command writes what it makes, as it makes it: standard output, or
// a file. The file's save begins with its first chunk and the file takes its
// place only on Finish, once the command has given everything, so a refusal
// midway leaves the old file as it was.
#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <string_view>

#include "io/files/encoded_text_stream.h"
#include "io/files/save_file.h"
#include "io/files/text_encoding.h"

namespace tarnvel {

class CommandOutput {
 public:
  CommandOutput(std::optional<QString> path, TextEncoding encoding);

  // Adds whole rows of UTF-8 text; false once the output has failed, and
  // failure() says why.
  bool Add(std::string_view utf8);
  // Writes out what is held and forces a file to the medium, not yet in
  // place: nothing, or why not.
  std::optional<QString> Flush();
  // Writes the rest and puts the file in place: nothing, or why not. An
  // output dropped unfinished drops the file's save.
  std::optional<QString> Finish();
  const QString& failure() const { return failure_; }

 private:
  bool WriteChunk(QByteArrayView bytes);
  bool Failed();  // records why the stream stopped; always false
  // Writes out what the stream holds, and begins a file still empty.
  std::optional<QString> Drain();

  std::optional<QString> path_;
  std::unique_ptr<SavingFile> file_;
  EncodedTextStream stream_;
  QString failure_;
};

}  // namespace tarnvel
