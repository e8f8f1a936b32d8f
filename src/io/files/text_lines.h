// The lines of a file's bytes as text, whether the bytes are held whole or
// come a piece at a time from a file too large to hold: the checks of the
// whole before any line, and each line decoded, alike either way.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>

#include "io/files/file_refusal.h"

namespace tarnvel {

// Hands each piece of some bytes, in order from the first, to `piece` until
// it returns false; false when the bytes could not all be read.
using BytePieces = std::function<bool(const std::function<bool(QByteArrayView)>& piece)>;

// Splits bytes given a piece at a time into lines, each ended by CR LF, LF
// or CR, or by the end of the bytes; a CR LF may fall between two pieces.
class ByteLines {
 public:
  using Line = std::function<bool(int number, QByteArrayView bytes)>;
  // Each line the piece ends, with its 1-based number and without its end,
  // to `line` until it returns false; false then. A line cut by the piece's
  // end is kept until a later piece ends it.
  bool Add(QByteArrayView piece, const Line& line);
  // The last line, when the bytes end without ending it.
  bool Finish(const Line& line);

 private:
  QByteArray start_;      // of the line the last piece cut
  bool afterCr_ = false;  // the last piece ended in CR, which a LF may follow
  int number_ = 0;
};

// "不是UTF-8或GBK编码的文字，无法读取！"
ContentRefusal NeitherUtf8NorGbk();

// The check of the whole text before any of its lines is read: a line
// longer than `longest` bytes is refused ("第3行有100000个字节，一行最多
// 65536个字节！"), and then bytes that are neither UTF-8 nor GBK. True when
// the text is UTF-8, false when it is GBK. Bytes that could not all be read
// are not checked further; their reader says why.
ContentOutcome<bool> CheckTextLines(const BytePieces& pieces, qsizetype longest);

// Each line of the text checked as UTF-8 (`utf8`) or GBK, decoded, with its
// 1-based number, to `line` until it returns false: the first line as the
// start of a text, a UTF-8 byte-order mark dropped, the others as its middle,
// where U+FEFF is a character like any other.
void ForEachLineText(const BytePieces& pieces, bool utf8,
                     const std::function<bool(int number, QString&& text)>& line);

}  // namespace tarnvel
