#include "io/element/element_file.h"

#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <algorithm>
#include <cmath>

#include "core/element/line_element.h"
#include "core/text/number_reading.h"
#include "core/text/number_text.h"
#include "io/files/gbk_file_writer.h"
#include "io/files/gbk_text.h"
#include "io/files/read_file.h"

namespace tarnvel {

namespace {

constexpr qsizetype kLineCount = 8;
constexpr qsizetype kReadChunk = 64 * 1024;
constexpr QByteArrayView kUtf8Mark = "\xEF\xBB\xBF";

QString FieldName(size_t index) {
  const std::string_view name = kElementFieldNames[index];
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// The lines at the start of `bytes`, at most `wanted`, without their ends
// (CR LF, LF or a lone CR). Text after the last end counts as a line only at
// the end of the file. GBK trail bytes never take the values of CR or LF, so
// the bytes can be cut before they are decoded.
QList<QByteArrayView> SplitLines(QByteArrayView bytes, qsizetype wanted, bool whole_file) {
  QList<QByteArrayView> lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < bytes.size() && lines.size() < wanted; ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.append(bytes.sliced(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (whole_file && lines.size() < wanted && start < bytes.size())
    lines.append(bytes.sliced(start));
  return lines;
}

// Control characters that no text file holds (tab, vertical tab, form feed
// and the old end-of-file mark aside): the sign of a file that is not text,
// such as a picture or a UTF-16 file chosen by mistake.
bool IsBinaryByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte < 0x20 && byte != '\t' && byte != '\v' && byte != '\f' && byte != 0x1A) ||
         byte == 0x7F;
}

ContentRefusal NotAnElementFile(const QString& why) {
  return {0, {}, why + QStringLiteral("，不是线元数据文件！")};
}

// The eight fields from the first bytes of a file; `whole_file` says whether
// the bytes end where the file does, or where reading stopped.
ContentOutcome<ElementFieldTexts> ParseElementLines(QByteArrayView bytes, bool whole_file) {
  QByteArrayView content = bytes;
  if (content.startsWith(kUtf8Mark)) content = content.sliced(kUtf8Mark.size());
  const QList<QByteArrayView> lines = SplitLines(content, kLineCount, whole_file);
  for (const QByteArrayView line : lines)
    if (std::any_of(line.begin(), line.end(), IsBinaryByte))
      return NotAnElementFile(QStringLiteral("含有非文本内容"));
  if (lines.size() < kLineCount)
    return NotAnElementFile(whole_file ? QStringLiteral("不足八行")
                                       : QStringLiteral("的前八行过长"));

  // Only the number each line starts with is read, and its characters are
  // ASCII in UTF-8 and GBK alike; so the number is read from the bytes and a
  // description in any encoding, or in none, is left alone.
  ElementFieldTexts texts;
  for (qsizetype n = 0; n < kLineCount; ++n) {
    const QByteArrayView line = lines[n];
    const double value =
        ReadLenient(std::string_view(line.data(), static_cast<size_t>(line.size())));
    if (!std::isfinite(value))
      return ContentRefusal{static_cast<int>(n + 1), FieldName(static_cast<size_t>(n)),
                            QStringLiteral("的数值超出数值范围！")};
    texts[static_cast<size_t>(n)] = QString::fromStdString(GeneralText(value));
  }
  return texts;
}

}  // namespace

QString ElementFileText(const ElementFieldTexts& texts) {
  QString text;
  for (size_t n = 0; n < texts.size(); ++n) {
    const QString& value = texts[n];
    text += value;
    text += QString(std::max<qsizetype>(kDescriptionColumn - 1 - value.size(), 1), u' ');
    text += kElementDescriptions[n];
    text += QStringLiteral("\r\n");
  }
  return text;
}

std::optional<FileRefusal> SaveElementFile(const QString& path, const ElementFieldTexts& texts) {
  for (size_t n = 0; n < texts.size(); ++n) {
    const QString& value = texts[n];
    if (value.contains(u'\r') || value.contains(u'\n'))
      return CannotSave(path, QStringLiteral("“%1”含有换行符").arg(FieldName(n)));
    if (const auto character = FirstCharacterOutsideGbk(value))
      return CannotSave(
          path, QStringLiteral("“%1”中的%2").arg(FieldName(n), OutsideGbkReason(*character)));
  }
  return WriteGbkFile(path, ElementFileText(texts));
}

FileOutcome<ElementFieldTexts> ReadElementFile(const QString& path) {
  FileOutcome<std::unique_ptr<QFile>> opened = OpenRegularFile(path);
  if (const auto* refusal = std::get_if<FileRefusal>(&opened)) return *refusal;
  QFile& file = *std::get<std::unique_ptr<QFile>>(opened);

  // Read no further than the eighth line end, and never more than the limit.
  QByteArray bytes;
  bool whole_file = false;
  while (bytes.size() < kElementFileReadLimit) {
    const QByteArray chunk = file.read(std::min(kReadChunk, kElementFileReadLimit - bytes.size()));
    if (chunk.isEmpty()) {
      if (file.error() != QFileDevice::NoError)
        return FileRefusal{QStringLiteral("读取文件“%1”时出错：%2！")
                               .arg(FileNameForMessage(path), file.errorString())};
      whole_file = true;
      break;
    }
    bytes += chunk;
    if (SplitLines(bytes, kLineCount, false).size() == kLineCount) break;
  }
  file.close();
  return InFile(path, ParseElementLines(bytes, whole_file));
}

ContentOutcome<ElementFieldTexts> ParseElementFile(QByteArrayView bytes) {
  return ParseElementLines(bytes, true);
}

}  // namespace tarnvel
