// Text in the Simplified Chinese code page 936 (GBK), the code page of every
// file the system writes and reads.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <optional>

namespace tarnvel {

// The GBK bytes of the text; nothing if a character has no GBK form.
std::optional<QByteArray> EncodeGbk(const QString& text);

// The text of GBK bytes; nothing if the bytes are not valid GBK.
std::optional<QString> DecodeGbk(const QByteArray& bytes);

// A decoder of GBK that keeps no state from one call to the next; not valid
// where the system has no GBK.
QStringDecoder GbkDecoder();

// The first character of the text that has no GBK form (a lone surrogate
// counts as one), or nothing when every character has one. Only meaningful
// when GbkAvailable().
std::optional<char32_t> FirstCharacterOutsideGbk(const QString& text);

// False only on a Qt built without a converter for code page 936, where no
// file can be written or read.
bool GbkAvailable();

}  // namespace tarnvel
