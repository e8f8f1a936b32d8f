// Writing a whole file all or nothing: every save of the system goes here.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFileDevice>
#include <QString>
#include <memory>
#include <optional>
#include <variant>

#include "io/files/file_refusal.h"

namespace tarnvel {

// A save under way, its bytes given as they are made. A regular file (or a
// new one) is written to a temporary file beside it that takes its place only
// on Finish, so a failure at any point, or a save dropped unfinished, leaves
// the previous file as it was and no half file behind. A pipe or a character
// device (/dev/null, a terminal, /dev/stdout) is written directly, never
// replaced: it cannot be replaced by a file without cutting off its reader.
class SavingFile {
 public:
  // The save of `path` begun, or why it cannot be: a folder, a socket or a
  // block device of that name, or a folder that takes no new file.
  static std::variant<FileRefusal, std::unique_ptr<SavingFile>> Begin(const QString& path);
  ~SavingFile();  // drops the unfinished save

  // Adds bytes; false once any write has failed (Finish then refuses).
  bool Write(QByteArrayView bytes);
  // Writes out what is held and forces it to the medium, the file not yet in
  // place: whatever must succeed with the file can still drop it after.
  std::optional<FileRefusal> Flush();
  // Flushes and puts the file in place. Nothing on success; otherwise why
  // not, the old file kept.
  std::optional<FileRefusal> Finish();
  // Whether the bytes go straight to the target, which then has no old
  // content to keep.
  bool direct() const { return direct_; }

 private:
  SavingFile(const QString& path, std::unique_ptr<QFileDevice> file, bool direct);

  QString path_;
  std::unique_ptr<QFileDevice> file_;
  bool direct_ = false;
  bool failed_ = false;
  bool finished_ = false;
};

// Creates the file or replaces it with `bytes` through SavingFile. Nothing on
// success; otherwise why not, naming the file.
std::optional<FileRefusal> SaveFileBytes(const QString& path, const QByteArray& bytes);

}  // namespace tarnvel
