#include "gbk_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

std::optional<QString> DecodeGbk(const QByteArray& bytes) {
  QStringDecoder decoder(kCodePage, QStringConverter::Flag::Stateless);
  if (!decoder.isValid()) return std::nullopt;
  QString text = decoder.decode(bytes);
  if (decoder.hasError()) return std::nullopt;
  return text;
}

std::optional<char32_t> FirstCharacterOutsideGbk(const QString& text) {
  QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
  if (!encoder.isValid()) return std::nullopt;
  // The encoder's error flag stays set once raised, so feeding it one
  // character at a time finds the first that failed.
  const QStringView view(text);
  for (qsizetype i = 0; i < view.size();) {
    const qsizetype width =
        view[i].isHighSurrogate() && i + 1 < view.size() && view[i + 1].isLowSurrogate() ? 2 : 1;
    const QStringView character = view.mid(i, width);
    // encode() converts only when its result is taken as bytes.
    const QByteArray bytes = encoder.encode(character);
    if (encoder.hasError())
      return width == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                        : static_cast<char32_t>(character[0].unicode());
    i += width;
  }
  return std::nullopt;
}

bool GbkAvailable() {
  return QStringEncoder(kCodePage).isValid() && QStringDecoder(kCodePage).isValid();
}

}  // namespace tarnvel
