#include "io/files/gbk_text.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <unordered_map>

namespace tarnvel {

namespace {

// Qt converts code page 936 through ICU under this name; the mapping is the
// Windows one (0x80 is "€"), so files written on either system read the same.
constexpr const char* kCodePage = "GBK";

}  // namespace

std::optional<QByteArray> EncodeGbk(const QString& text) {
  QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
  if (!encoder.isValid()) return std::nullopt;
  QByteArray bytes = encoder.encode(text);
  if (encoder.hasError()) return std::nullopt;
  return bytes;
}

QStringDecoder GbkDecoder() {
  return QStringDecoder(kCodePage, QStringConverter::Flag::Stateless);
}

std::optional<QString> DecodeGbk(const QByteArray& bytes) {
  QStringDecoder decoder = GbkDecoder();
  if (!decoder.isValid()) return std::nullopt;
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text;
}

std::optional<char32_t> FirstCharacterOutsideGbk(const QString& text) {
  if (!QStringEncoder(kCodePage).isValid()) return std::nullopt;
  // One pass. ASCII always has a GBK form; any other character is asked of
  // the converter once, since a table repeats the same few ("°ˊ″") on every
  // row and asking for each of them made a large table's save stall.
  std::unordered_map<char32_t, bool> has_gbk_form;
  const QStringView view(text);
  for (qsizetype i = 0; i < view.size();) {
    if (view[i].unicode() < 0x80) {
      ++i;
      continue;
    }
    const qsizetype width =
        view[i].isHighSurrogate() && i + 1 < view.size() && view[i + 1].isLowSurrogate() ? 2 : 1;
    const QStringView character = view.mid(i, width);
    const char32_t code = width == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                     : static_cast<char32_t>(character[0].unicode());
    auto [known, inserted] = has_gbk_form.try_emplace(code, true);
    if (inserted) {
      QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
      // encode() converts only when its result is taken as bytes.
      const QByteArray bytes = encoder.encode(character);
      known->second = !encoder.hasError();
    }
    if (!known->second) return code;
    i += width;
  }
  return std::nullopt;
}

bool GbkAvailable() {
  return QStringEncoder(kCodePage).isValid() && QStringDecoder(kCodePage).isValid();
}

}  // namespace tarnvel
