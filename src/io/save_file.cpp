#include "save_file.h"

#include <QFileInfo>
#include <QSaveFile>
#include <unistd.h>

namespace tarnvel {

namespace {

// The reason a file could not be saved, in the user's words. The system's
// own text is kept for the causes named here by nobody.
QString OpenFailureReason(const QString& path, const QSaveFile& file) {
  const QFileInfo target(path);
  const QFileInfo folder(target.absolutePath());
  if (target.isDir()) return QStringLiteral("已有同名的文件夹");
  if (!folder.exists()) return QStringLiteral("文件夹“%1”不存在").arg(FileNameForMessage(folder.filePath()));
  if (!folder.isDir()) return QStringLiteral("“%1”不是文件夹").arg(FileNameForMessage(folder.filePath()));
  if (!folder.isWritable() || (target.exists() && !target.isWritable()))
    return QStringLiteral("没有写入权限");
  return QStringLiteral("系统报告“%1”").arg(file.errorString());
}

// Once the file is open, a short write (which the system reports without an
// error of its own) or a failed commit means the medium took no more.
const QString kWriteFailure = QStringLiteral("写入出错，磁盘可能已满");

}  // namespace

std::optional<FileRefusal> SaveFileBytes(const QString& path, const QByteArray& bytes) {
  QSaveFile file(path);
  // Writing in place could leave a half file; a folder that allows no new
  // file beside the old one gets a message instead.
  file.setDirectWriteFallback(false);
  if (!file.open(QIODevice::WriteOnly)) return CannotSave(path, OpenFailureReason(path, file));
  // The file keeps up to 16 KiB in its own buffer and commit() does not
  // report a failure to write that buffer out, so a small file on a full
  // disk would replace the old one empty or cut short. Everything is written
  // and forced to the medium here, and checked, before the file may take the
  // old one's place.
  const bool written = file.write(bytes) == bytes.size() && file.flush() &&
                       file.error() == QFileDevice::NoError && ::fsync(file.handle()) == 0;
  if (!written) {
    file.cancelWriting();  // the temporary file goes with `file`
    return CannotSave(path, kWriteFailure);
  }
  if (!file.commit()) return CannotSave(path, kWriteFailure);
  return std::nullopt;
}

}  // namespace tarnvel
