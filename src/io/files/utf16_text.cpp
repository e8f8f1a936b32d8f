#include "utf16_text.h"

#include <QString>
#include <QStringView>

namespace tarnvel {

namespace {

bool BigEndian(QByteArrayView bytes) {
  return bytes[0] == '\xFE';
}

}  // namespace

bool HasUtf16ByteOrderMark(QByteArrayView bytes) {
  return bytes.size() >= 2 &&
         ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF'));
}

std::optional<QByteArray> Utf16AsUtf8(QByteArrayView bytes) {
  if (!HasUtf16ByteOrderMark(bytes) || bytes.size() % 2 != 0) return std::nullopt;
  // Made UTF-8 a run of characters at a time, a pair never split between
  // runs, so that no more than a run is ever held as a QString beside the
  // bytes.
  constexpr qsizetype kRun = 64 * 1024;
  const bool big = BigEndian(bytes);
  QByteArray utf8;
  utf8.reserve(bytes.size());
  QString run;
  run.reserve(kRun + 1);
  for (qsizetype i = 2; i <= bytes.size(); i += 2) {
    if (i < bytes.size()) {
      const auto first = static_cast<unsigned char>(bytes[i]);
      const auto second = static_cast<unsigned char>(bytes[i + 1]);
      run.append(QChar(static_cast<char16_t>(big ? first << 8 | second : second << 8 | first)));
      if (run.size() < kRun || run.back().isHighSurrogate()) continue;
    }
    if (!QStringView(run).isValidUtf16()) return std::nullopt;
    utf8 += run.toUtf8();
    run.clear();
  }
  return utf8;
}

}  // namespace tarnvel
