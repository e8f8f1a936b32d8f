#include "io/files/read_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <QStringDecoder>
#include <algorithm>
#include <cerrno>

#include "io/files/gbk_text.h"

namespace tarnvel {

namespace {

QString OpenErrorReason(const QString& path, int error) {
  switch (error) {
    case ELOOP:
      return QStringLiteral("符号链接形成循环，找不到文件");
    case EACCES:
      return QStringLiteral("没有读取权限");
    case ENOENT:
      return QFileInfo(path).isSymLink() ? QStringLiteral("符号链接指向的文件不存在")
                                         : QStringLiteral("文件不存在");
    case ENOTDIR:
      return QStringLiteral("文件不存在");
    default:
      return QStringLiteral("系统报告“%1”").arg(QString::fromLocal8Bit(strerror(error)));
  }
}

std::optional<QString> NotARegularFileReason(mode_t mode) {
  if (S_ISREG(mode)) return std::nullopt;
  if (S_ISDIR(mode)) return QStringLiteral("这是一个文件夹");
  if (S_ISFIFO(mode)) return QStringLiteral("这是一个管道，不是普通文件");
  if (S_ISSOCK(mode)) return QStringLiteral("这是一个套接字，不是普通文件");
  if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("这是一个设备，不是普通文件");
  return QStringLiteral("不是普通文件");
}

}  // namespace

// Opened without blocking, so that a FIFO with no writer does not hang the
// open itself; the kind of file is then taken from the open handle, so that
// nothing can be swapped in between the look and the read. POSIX only: a
// Windows build would look at the file's attributes instead.
FileOutcome<std::unique_ptr<QFile>> OpenRegularFile(const QString& path) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return CannotOpen(path, OpenErrorReason(path, errno));
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    const int error = errno;
    ::close(fd);
    return CannotOpen(path, OpenErrorReason(path, error));
  }
  if (const std::optional<QString> reason = NotARegularFileReason(info.st_mode)) {
    ::close(fd);
    return CannotOpen(path, *reason);
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  auto file = std::make_unique<QFile>(path);
  if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return CannotOpen(path, QStringLiteral("系统报告“%1”").arg(file->errorString()));
  }
  return file;
}

FileOutcome<QByteArray> ReadFileBytes(const QString& path, qsizetype limit) {
  FileOutcome<std::unique_ptr<QFile>> opened = OpenRegularFile(path);
  if (const auto* refusal = std::get_if<FileRefusal>(&opened)) return *refusal;
  QFile& file = *std::get<std::unique_ptr<QFile>>(opened);
  // Room for the file as it is, growing only if it grows while read: a read
  // of `limit` bytes at once would take the limit's memory for every file,
  // 128 MB for a ten-line table.
  QByteArray bytes(std::min<qint64>(file.size(), limit) + 1, Qt::Uninitialized);
  qsizetype filled = 0;
  for (qint64 got = 1; got > 0; filled += got) {
    if (filled == bytes.size()) {
      if (filled > limit) break;
      bytes.resize(std::min<qsizetype>(limit + 1, 2 * filled));
    }
    got = std::max<qint64>(0, file.read(bytes.data() + filled, bytes.size() - filled));
  }
  bytes.truncate(filled);
  if (file.error() != QFileDevice::NoError) return CannotRead(path, file.errorString());
  if (bytes.size() > limit) return LargerThan(path, limit);
  return bytes;
}

FileRefusal CannotRead(const QString& path, const QString& reason) {
  return {QStringLiteral("读取文件“%1”时出错：%2！").arg(FileNameForMessage(path), reason)};
}

FileRefusal LargerThan(const QString& path, qsizetype limit) {
  return CannotOpen(path, QStringLiteral("文件大于%1字节，不像是要读取的文件").arg(limit));
}

std::optional<QString> DecodeUtf8OrGbk(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) {
    if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return text;
  }
  return DecodeGbk(bytes);
}

}  // namespace tarnvel
