// Text saved as UTF-16, as Excel saves "Unicode 文本" (tab-separated) and
// Notepad saves "Unicode": always with a byte-order mark, which tells
// little-endian from big-endian and the text from GBK or UTF-8, where the
// mark's bytes cannot begin a file.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tarnvel {

// True when the bytes begin with a UTF-16 byte-order mark, FF FE
// (little-endian) or FE FF (big-endian).
bool HasUtf16ByteOrderMark(QByteArrayView bytes);

// The text of UTF-16 bytes that begin with their byte-order mark, in the
// byte order it gives, as UTF-8 without a mark; nothing when they are not
// such a text (an odd number of bytes, a surrogate without its pair).
std::optional<QByteArray> Utf16AsUtf8(QByteArrayView bytes);

// The same for bytes that come a piece at a time, from a file too large to
// hold: a character is made UTF-8 once its bytes are in, a pair split
// between pieces kept whole.
class Utf16ToUtf8 {
 public:
  // The UTF-8 of the piece's characters appended to `utf8`; false once the
  // bytes are no UTF-16 text.
  bool Add(QByteArrayView bytes, QByteArray& utf8);
  // The rest; false when the bytes are no UTF-16 text, or not a whole one.
  bool Finish(QByteArray& utf8);

 private:
  // Makes the characters held UTF-8, all but a high surrogate at their end
  // unless `all`, whose pair may be still to come.
  bool Flush(QByteArray& utf8, bool all);

  QByteArray mark_;
  bool big_ = false;
  std::optional<unsigned char> odd_;  // the first byte of a unit
  QString run_;
  bool failed_ = false;
};

}  // namespace tarnvel
