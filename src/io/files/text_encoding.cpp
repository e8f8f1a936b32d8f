#include "io/files/text_encoding.h"

#include "io/files/gbk_file_writer.h"
#include "io/files/gbk_text.h"
#include "io/files/save_file.h"

namespace tarnvel {

std::variant<char32_t, QByteArray> EncodeText(const std::string& utf8, TextEncoding encoding) {
  if (encoding != TextEncoding::Gbk) {
    QByteArray bytes;
    if (encoding == TextEncoding::Utf8WithBom) {
      bytes.reserve(static_cast<qsizetype>(kUtf8ByteOrderMark.size() + utf8.size()));
      bytes.append(kUtf8ByteOrderMark.data(), static_cast<qsizetype>(kUtf8ByteOrderMark.size()));
    }
    return bytes.append(utf8.data(), static_cast<qsizetype>(utf8.size()));
  }
  const QString text = QString::fromStdString(utf8);
  if (std::optional<QByteArray> bytes = EncodeGbk(text)) return std::move(*bytes);
  return FirstCharacterOutsideGbk(text).value_or(U'\uFFFD');
}

std::optional<FileRefusal> SaveTextFile(const QString& path, const std::string& utf8,
                                        TextEncoding encoding) {
  std::variant<char32_t, QByteArray> bytes = EncodeText(utf8, encoding);
  if (const char32_t* character = std::get_if<char32_t>(&bytes))
    return CannotSave(path, OutsideGbkReason(*character));
  return SaveFileBytes(path, std::get<QByteArray>(bytes));
}

}  // namespace tarnvel
