// Text in the Simplified Chinese code page 936 (GBK), the code page of every
// file the system writes and reads.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace tarnvel {

// The GBK bytes of the text; nothing if a character has no GBK form.
std::optional<QByteArray> EncodeGbk(const QString& text);

// The text of GBK bytes; nothing if the bytes are not valid GBK.
std::optional<QString> DecodeGbk(const QByteArray& bytes);

}  // namespace tarnvel
