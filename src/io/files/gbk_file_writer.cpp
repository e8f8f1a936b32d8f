#include "io/files/gbk_file_writer.h"

#include "io/files/gbk_text.h"
#include "io/files/save_file.h"

namespace tarnvel {

QString OutsideGbkReason(char32_t character) {
  // Half of a surrogate pair cannot be shown alone; the replacement mark
  // stands for it, and the code says which it was.
  const bool half = character >= 0xD800 && character <= 0xDFFF;
  const char32_t shown[] = {half ? U'\uFFFD' : character};
  return QStringLiteral("字符“%1”（U+%2）不能用GBK编码保存")
      .arg(QString::fromUcs4(shown, 1),
           QString::number(static_cast<uint>(character), 16).toUpper().rightJustified(4, u'0'));
}

std::optional<FileRefusal> AppendGbk(const QString& path, const QString& text, QByteArray& bytes) {
  if (!GbkAvailable()) return CannotSave(path, QStringLiteral("系统不支持GBK编码"));
  const std::optional<QByteArray> encoded = EncodeGbk(text);
  if (!encoded) {
    const std::optional<char32_t> character = FirstCharacterOutsideGbk(text);
    return CannotSave(
        path, character ? OutsideGbkReason(*character) : QStringLiteral("内容不能用GBK编码保存"));
  }
  bytes += *encoded;
  return std::nullopt;
}

std::optional<FileRefusal> WriteGbkFile(const QString& path, const QString& text) {
  QByteArray bytes;
  if (auto refusal = AppendGbk(path, text, bytes)) return refusal;
  return SaveFileBytes(path, bytes);
}

}  // namespace tarnvel
