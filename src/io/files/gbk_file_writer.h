// Writing a whole text file in code page 936, all or nothing.
#pragma once

#include <QString>
#include <optional>

#include "io/files/file_refusal.h"

namespace tarnvel {

// Creates the file or replaces it with the GBK bytes of `text` (no byte-order
// mark; the text carries its own line ends). The bytes go to a temporary file
// beside it that takes the file's place only once fully written, so a failure
// at any point leaves the previous file as it was and no half file behind.
// Nothing on success; otherwise why not, naming the file. A character without
// a GBK form is refused before anything is written, never replaced by "?".
std::optional<FileRefusal> WriteGbkFile(const QString& path, const QString& text);

// Appends the GBK bytes of `text` to `bytes`; for a text with a character
// GBK cannot hold, the refusal of saving `path` that names it, `bytes` left
// as it was.
std::optional<FileRefusal> AppendGbk(const QString& path, const QString& text, QByteArray& bytes);

// The reason given when the text holds a character GBK cannot hold:
// "字符“😀”（U+1F600）不能用GBK编码保存".
QString OutsideGbkReason(char32_t character);

}  // namespace tarnvel
