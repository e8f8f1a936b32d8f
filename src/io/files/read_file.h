// Reading a whole text file the user chose: every reader of the system goes
// here, so that no file can stall a window or be half read.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <memory>
#include <optional>

#include "io/files/file_refusal.h"

namespace tarnvel {

// The file at `path` open for reading, if it is a regular file. Anything else
// (a folder, a FIFO, a device, a socket) is refused without waiting on it,
// since reading it, or even opening a FIFO the usual way, can block for good;
// so is a missing file, a link that leads nowhere or round in a loop, and a
// file the user may not read. Each refusal names the file and says which.
FileOutcome<std::unique_ptr<QFile>> OpenRegularFile(const QString& path);

// The whole content of a regular file of at most `limit` bytes, refused as
// OpenRegularFile refuses, and when the file is larger than `limit`.
FileOutcome<QByteArray> ReadFileBytes(const QString& path, qsizetype limit);

// "读取文件“…”时出错：reason！"
FileRefusal CannotRead(const QString& path, const QString& reason);

// The refusal of a file larger than `limit` bytes, said as ReadFileBytes says it.
FileRefusal LargerThan(const QString& path, qsizetype limit);

// The text of a file's bytes: UTF-8 when they are valid UTF-8 (a leading
// byte-order mark dropped), else GBK; nothing when they are neither.
std::optional<QString> DecodeUtf8OrGbk(const QByteArray& bytes);

}  // namespace tarnvel
