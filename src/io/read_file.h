// Reading a whole text file the user chose: every reader of the system goes
// here, so that no file can stall a window or be half read.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "file_refusal.h"

namespace tarnvel {

// The whole content of a regular file of at most `limit` bytes. Anything that
// is not a regular file (a folder, a FIFO, a device, a socket) is refused
// before it is opened, since opening or reading it can block for good; so is
// a missing file, a link that leads nowhere or round in a loop, and a file
// larger than `limit`. Each refusal names the file and says which it was.
FileOutcome<QByteArray> ReadFileBytes(const QString& path, qsizetype limit);

// The text of a file's bytes: UTF-8 when they are valid UTF-8 (a leading
// byte-order mark dropped), else GBK; nothing when they are neither.
std::optional<QString> DecodeUtf8OrGbk(const QByteArray& bytes);

}  // namespace tarnvel
