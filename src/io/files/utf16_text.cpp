#include "io/files/utf16_text.h"

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
  Utf16ToUtf8 text;
  QByteArray utf8;
  utf8.reserve(bytes.size());
  if (!text.Add(bytes, utf8) || !text.Finish(utf8)) return std::nullopt;
  return utf8;
}

bool Utf16ToUtf8::Add(QByteArrayView bytes, QByteArray& utf8) {
  // Made UTF-8 a run of characters at a time, a pair never split between
  // runs, so that no more than a run is ever held as a QString beside the
  // bytes.
  constexpr qsizetype kRun = 64 * 1024;
  if (failed_) return false;
  qsizetype i = 0;
  while (mark_.size() < 2 && i < bytes.size()) mark_.append(bytes[i++]);
  if (mark_.size() < 2) return true;
  if (!HasUtf16ByteOrderMark(mark_)) {
    failed_ = true;
    return false;
  }
  big_ = BigEndian(mark_);
  for (; i < bytes.size(); ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (!odd_) {
      odd_ = byte;
      continue;
    }
    const unsigned char first = *odd_;
    odd_.reset();
    run_.append(QChar(static_cast<char16_t>(big_ ? first << 8 | byte : byte << 8 | first)));
    if (run_.size() >= kRun && !run_.back().isHighSurrogate() && !Flush(utf8, true)) return false;
  }
  return Flush(utf8, false);
}

bool Utf16ToUtf8::Finish(QByteArray& utf8) {
  if (failed_ || mark_.size() < 2 || odd_) return false;
  return Flush(utf8, true);
}

bool Utf16ToUtf8::Flush(QByteArray& utf8, bool all) {
  const bool held = !all && !run_.isEmpty() && run_.back().isHighSurrogate();
  const QStringView characters = QStringView(run_).chopped(held ? 1 : 0);
  if (!characters.isValidUtf16()) {
    failed_ = true;
    return false;
  }
  utf8 += characters.toUtf8();
  run_.remove(0, characters.size());
  return true;
}

}  // namespace tarnvel
