// Text saved as UTF-16, as Excel saves "Unicode 文本" (tab-separated) and
// Notepad saves "Unicode": always with a byte-order mark, which tells
// little-endian from big-endian and the text from GBK or UTF-8, where the
// mark's bytes cannot begin a file.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

namespace tarnvel {

// True when the bytes begin with a UTF-16 byte-order mark, FF FE
// (little-endian) or FE FF (big-endian).
bool HasUtf16ByteOrderMark(QByteArrayView bytes);

// The text of UTF-16 bytes that begin with their byte-order mark, in the
// byte order it gives, as UTF-8 without a mark; nothing when they are not
// such a text (an odd number of bytes, a surrogate without its pair).
std::optional<QByteArray> Utf16AsUtf8(QByteArrayView bytes);

}  // namespace tarnvel
