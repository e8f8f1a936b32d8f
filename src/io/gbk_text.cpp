#include "gbk_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace tarnvel {

namespace {

constexpr const char* kCodePage = "GBK";

}  // namespace

std::optional<QByteArray> EncodeGbk(const QString& text) {
  QStringEncoder encoder(kCodePage, QStringConverter::Flag::Stateless);
  QByteArray bytes = encoder.encode(text);
  if (!encoder.isValid() || encoder.hasError()) return std::nullopt;
  return bytes;
}

std::optional<QString> DecodeGbk(const QByteArray& bytes) {
  QStringDecoder decoder(kCodePage, QStringConverter::Flag::Stateless);
  QString text = decoder.decode(bytes);
  if (!decoder.isValid() || decoder.hasError()) return std::nullopt;
  return text;
}

}  // namespace tarnvel
