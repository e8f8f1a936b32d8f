// Writing a whole file all or nothing: every save of the system goes here.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "file_refusal.h"

namespace tarnvel {

// Creates the file or replaces it with `bytes`. The bytes go to a temporary
// file beside it that takes the file's place only once fully written, so a
// failure at any point leaves the previous file as it was and no half file
// behind. Nothing on success; otherwise why not, naming the file.
std::optional<FileRefusal> SaveFileBytes(const QString& path, const QByteArray& bytes);

}  // namespace tarnvel
