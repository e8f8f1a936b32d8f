#include "gbk_file_writer.h"

#include "gbk_text.h"
#include "save_file.h"

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

std::optional<FileRefusal> WriteGbkFile(const QString& path, const QString& text) {
  if (!GbkAvailable()) return CannotSave(path, QStringLiteral("系统不支持GBK编码"));
  const std::optional<QByteArray> bytes = EncodeGbk(text);
  if (!bytes) {
    const std::optional<char32_t> character = FirstCharacterOutsideGbk(text);
    return CannotSave(path, character ? OutsideGbkReason(*character)
                                      : QStringLiteral("内容不能用GBK编码保存"));
  }
  return SaveFileBytes(path, *bytes);
}

}  // namespace tarnvel
