#include "io/files/save_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarnvel {

namespace {

// The reason a file could not be saved, in the user's words. The system's
// own text is kept for the causes named here by nobody.
QString OpenFailureReason(const QString& path, const QFileDevice& file) {
  const QFileInfo target(path);
  const QFileInfo folder(target.absolutePath());
  if (target.isDir()) return QStringLiteral("已有同名的文件夹");
  if (!folder.exists())
    return QStringLiteral("文件夹“%1”不存在").arg(FileNameForMessage(folder.filePath()));
  if (!folder.isDir())
    return QStringLiteral("“%1”不是文件夹").arg(FileNameForMessage(folder.filePath()));
  if (!folder.isWritable() || (target.exists() && !target.isWritable()))
    return QStringLiteral("没有写入权限");
  return QStringLiteral("系统报告“%1”").arg(file.errorString());
}

// Once the file is open, a short write (which the system reports without an
// error of its own) or a failed flush means the medium took no more.
const QString kWriteFailure = QStringLiteral("写入出错，磁盘可能已满");

// What the path names now, through any symbolic link: a file to replace, a
// stream to write into, or something that takes no bytes.
enum class Target { ReplaceFile, WriteStream, Folder, Other };

Target TargetOf(const QString& path) {
  struct stat status {};
  if (::stat(QFile::encodeName(path).constData(), &status) != 0) return Target::ReplaceFile;
  if (S_ISREG(status.st_mode)) return Target::ReplaceFile;
  if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)) return Target::WriteStream;
  if (S_ISDIR(status.st_mode)) return Target::Folder;
  return Target::Other;  // a socket or a block device
}

}  // namespace

SavingFile::SavingFile(const QString& path, std::unique_ptr<QFileDevice> file, bool direct)
    : path_(path), file_(std::move(file)), direct_(direct) {}

SavingFile::~SavingFile() {
  // A QSaveFile dropped uncommitted takes its temporary file with it.
  if (!finished_)
    if (auto* save = dynamic_cast<QSaveFile*>(file_.get())) save->cancelWriting();
}

std::variant<FileRefusal, std::unique_ptr<SavingFile>> SavingFile::Begin(const QString& path) {
  const Target target = TargetOf(path);
  if (target == Target::Folder) return CannotSave(path, QStringLiteral("已有同名的文件夹"));
  if (target == Target::Other)
    return CannotSave(path, QStringLiteral("它不是普通文件，也不是管道或字符设备"));
  if (target == Target::WriteStream) {
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::WriteOnly)) return CannotSave(path, OpenFailureReason(path, *file));
    return std::unique_ptr<SavingFile>(new SavingFile(path, std::move(file), true));
  }
  auto file = std::make_unique<QSaveFile>(path);
  // Writing in place could leave a half file; a folder that allows no new
  // file beside the old one gets a message instead.
  file->setDirectWriteFallback(false);
  if (!file->open(QIODevice::WriteOnly)) return CannotSave(path, OpenFailureReason(path, *file));
  return std::unique_ptr<SavingFile>(new SavingFile(path, std::move(file), false));
}

bool SavingFile::Write(QByteArrayView bytes) {
  if (!failed_) failed_ = file_->write(bytes.data(), bytes.size()) != bytes.size();
  return !failed_;
}

std::optional<FileRefusal> SavingFile::Flush() {
  // The file keeps up to 16 KiB in its own buffer and commit() does not
  // report a failure to write that buffer out, so a small file on a full
  // disk would replace the old one empty or cut short. Everything is written
  // and forced to the medium here, and checked, before the file may take the
  // old one's place. A pipe or a device has no medium to force.
  failed_ = failed_ || !file_->flush() || file_->error() != QFileDevice::NoError ||
            (!direct_ && ::fsync(file_->handle()) != 0);
  if (failed_) return CannotSave(path_, kWriteFailure);  // the destructor drops the rest
  return std::nullopt;
}

std::optional<FileRefusal> SavingFile::Finish() {
  if (auto refusal = Flush()) return refusal;
  finished_ = true;
  if (direct_) {
    file_->close();
    return std::nullopt;
  }
  // Everything is on the disk by now: what failed is putting the new file in
  // the path's place, which a full disk does not cause.
  if (!static_cast<QSaveFile&>(*file_).commit())
    return CannotSave(
        path_,
        QStringLiteral("文件已写好，但未能放到此位置（系统报告“%1”）").arg(file_->errorString()));
  return std::nullopt;
}

std::optional<FileRefusal> SaveFileBytes(const QString& path, const QByteArray& bytes) {
  auto begun = SavingFile::Begin(path);
  if (auto* refusal = std::get_if<FileRefusal>(&begun)) return *refusal;
  SavingFile& file = *std::get<std::unique_ptr<SavingFile>>(begun);
  file.Write(bytes);
  return file.Finish();
}

}  // namespace tarnvel
