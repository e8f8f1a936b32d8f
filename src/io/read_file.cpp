#include "read_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <sys/stat.h>

#include <cerrno>

#include "gbk_text.h"

namespace tarnvel {

namespace {

// What lies at `path`, by the system's own look, which tells a missing file
// from a link loop and a FIFO from a regular file without opening it.
std::optional<QString> NotARegularFileReason(const QString& path) {
  struct stat info {};
  if (stat(QFile::encodeName(path).constData(), &info) != 0) {
    if (errno == ELOOP) return QStringLiteral("符号链接循环指向自身，无法找到文件");
    if (errno == EACCES) return QStringLiteral("没有读取权限");
    if (QFileInfo(path).isSymLink()) return QStringLiteral("符号链接指向的文件不存在");
    return QStringLiteral("文件不存在");
  }
  if (S_ISDIR(info.st_mode)) return QStringLiteral("这是一个文件夹");
  if (S_ISFIFO(info.st_mode)) return QStringLiteral("这是一个管道，不是普通文件");
  if (S_ISSOCK(info.st_mode)) return QStringLiteral("这是一个套接字，不是普通文件");
  if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
    return QStringLiteral("这是一个设备，不是普通文件");
  if (!S_ISREG(info.st_mode)) return QStringLiteral("不是普通文件");
  return std::nullopt;
}

}  // namespace

FileOutcome<QByteArray> ReadFileBytes(const QString& path, qsizetype limit) {
  if (const std::optional<QString> reason = NotARegularFileReason(path))
    return CannotOpen(path, *reason);
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (!QFileInfo(path).isReadable()) return CannotOpen(path, QStringLiteral("没有读取权限"));
    return CannotOpen(path, QStringLiteral("系统报告“%1”").arg(file.errorString()));
  }
  QByteArray bytes = file.read(limit + 1);
  if (file.error() != QFileDevice::NoError)
    return CannotOpen(path, QStringLiteral("系统报告“%1”").arg(file.errorString()));
  if (bytes.size() > limit) return CannotOpen(path, QStringLiteral("文件过大"));
  return bytes;
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
