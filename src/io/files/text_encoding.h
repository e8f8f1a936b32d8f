// The encodings Tarnvel writes its text files in, and a text saved in one.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "io/files/file_refusal.h"

namespace tarnvel {

// UTF-8 plain, as scripts and terminals take it; UTF-8 after a byte-order
// mark, which Excel on Chinese Windows needs to read a CSV as UTF-8 at all;
// or code page 936.
enum class TextEncoding { Utf8, Utf8WithBom, Gbk };

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The bytes of the text in the encoding (the mark first for Utf8WithBom);
// when GBK has no form for a character, that character.
std::variant<char32_t, QByteArray> EncodeText(const std::string& utf8, TextEncoding encoding);

// Writes the text to the file, all or nothing, through SaveFileBytes. A
// character GBK cannot hold is refused before anything is written.
std::optional<FileRefusal> SaveTextFile(const QString& path, const std::string& utf8,
                                        TextEncoding encoding);

}  // namespace tarnvel
