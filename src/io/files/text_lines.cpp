#include "io/files/text_lines.h"

#include <QStringDecoder>
#include <algorithm>
#include <optional>
#include <utility>

#include "io/files/gbk_text.h"

namespace tarnvel {

namespace {

// A lambda, so that the searches for a line end take it inline.
constexpr auto IsLineEnd = [](char c) { return c == '\r' || c == '\n'; };

// Where the next line starts after the line end at `end`, a CR LF pair
// being one end. A CR that ends the piece may pair with the next piece's
// LF: `afterCr` says so, for the next piece to skip it.
qsizetype PastLineEnd(QByteArrayView piece, qsizetype end, bool& afterCr) {
  if (piece[end] == '\n') return end + 1;
  if (end + 1 < piece.size()) return end + (piece[end + 1] == '\n' ? 2 : 1);
  afterCr = true;
  return end + 1;
}

// The first line longer than the longest, with its whole length, from bytes
// given a piece at a time; the line ends are ByteLines'.
class LongLine {
 public:
  explicit LongLine(qsizetype longest) : longest_(longest) {}

  void Add(QByteArrayView piece) {
    qsizetype i = 0;
    if (afterCr_ && !piece.isEmpty()) {
      afterCr_ = false;
      if (piece[0] == '\n') i = 1;
    }
    while (i < piece.size() && !found_) {
      const char* stop = std::find_if(piece.begin() + i, piece.end(), IsLineEnd);
      const qsizetype end = stop - piece.begin();
      length_ += end - i;
      if (end == piece.size()) return;
      End();
      i = PastLineEnd(piece, end, afterCr_);
    }
  }

  void Finish() {
    if (!found_ && length_ > 0) End();
  }

  // The line and its length, once its end is seen.
  const std::optional<std::pair<int, qsizetype>>& found() const { return found_; }
  // Whether the line being read is already too long.
  bool growing() const { return length_ > longest_; }

 private:
  void End() {
    ++number_;
    if (length_ > longest_) found_.emplace(number_, length_);
    length_ = 0;
  }

  qsizetype longest_;
  qsizetype length_ = 0;  // of the line being read
  int number_ = 0;
  bool afterCr_ = false;
  std::optional<std::pair<int, qsizetype>> found_;
};

// A UTF-8 file's first line is decoded as the start of a text, the others as
// its middle.
QStringDecoder Utf8Decoder(bool middle) {
  constexpr auto kStateless = QStringConverter::Flag::Stateless;
  return QStringDecoder(
      QStringDecoder::Utf8,
      middle ? kStateless | QStringConverter::Flag::ConvertInitialBom : kStateless);
}

// True when `decoder` reads all the bytes without error. They are decoded a
// run of whole lines at a time, so that no character is cut and no more than
// a run is held as text.
bool DecodesRuns(QByteArrayView bytes, QStringDecoder& decoder) {
  constexpr qsizetype kRun = 1024 * 1024;
  for (qsizetype start = 0; start < bytes.size();) {
    qsizetype end = std::min(bytes.size(), start + kRun);
    while (end < bytes.size() && !IsLineEnd(bytes[end - 1])) ++end;
    const QString run = decoder.decode(bytes.sliced(start, end - start));
    if (decoder.hasError()) return false;
    start = end;
  }
  return true;
}

// Whether bytes given a piece at a time decode, each run of whole lines
// decoded alone: a piece's lines up to its last line end, the line it cuts
// joined to the next piece's first. A line longer than the longest is
// refused for its length whatever its bytes, so it is not held to decode.
class Decodes {
 public:
  // The decoder is made in place: one of GBK moved from where it was made
  // no longer reports its errors (ICU's converter keeps the old address).
  Decodes(bool utf8, qsizetype longest)
      : decoder_(utf8 ? Utf8Decoder(false) : GbkDecoder()),
        longest_(longest),
        decodes_(decoder_.isValid()) {}

  void Add(QByteArrayView piece) {
    if (!decodes_ || tooLong_) return;
    const auto last = std::find_if(piece.rbegin(), piece.rend(), IsLineEnd);
    if (last == piece.rend()) {
      tooLong_ = start_.size() + piece.size() > longest_;
      if (!tooLong_) start_.append(piece);
      return;
    }
    const qsizetype end = piece.size() - (last - piece.rbegin());
    qsizetype from = 0;
    if (!start_.isEmpty()) {
      from = std::find_if(piece.begin(), piece.end(), IsLineEnd) - piece.begin() + 1;
      start_.append(piece.first(from));
      decodes_ = DecodesRuns(start_, decoder_);
      start_.clear();
    }
    decodes_ = decodes_ && DecodesRuns(piece.sliced(from, end - from), decoder_);
    tooLong_ = piece.size() - end > longest_;
    if (!tooLong_) start_ = piece.sliced(end).toByteArray();
  }

  bool Finish() {
    if (decodes_ && !tooLong_) decodes_ = DecodesRuns(start_, decoder_);
    return decodes_;
  }

 private:
  QStringDecoder decoder_;
  qsizetype longest_;
  bool decodes_;
  bool tooLong_ = false;
  QByteArray start_;  // of the line the last piece cut
};

}  // namespace

bool ByteLines::Add(QByteArrayView piece, const Line& line) {
  qsizetype i = 0;
  if (afterCr_ && !piece.isEmpty()) {
    afterCr_ = false;
    if (piece[0] == '\n') i = 1;
  }
  while (i < piece.size()) {
    const char* stop = std::find_if(piece.begin() + i, piece.end(), IsLineEnd);
    const qsizetype end = stop - piece.begin();
    if (end == piece.size()) {
      start_.append(piece.sliced(i));
      return true;
    }
    bool going = false;
    if (start_.isEmpty()) {
      going = line(++number_, piece.sliced(i, end - i));
    } else {
      start_.append(piece.sliced(i, end - i));
      going = line(++number_, start_);
      start_.clear();
    }
    if (!going) return false;
    i = PastLineEnd(piece, end, afterCr_);
  }
  return true;
}

bool ByteLines::Finish(const Line& line) {
  if (start_.isEmpty()) return true;
  const bool going = line(++number_, start_);
  start_.clear();
  return going;
}

ContentRefusal NeitherUtf8NorGbk() {
  return {0, {}, QStringLiteral("不是UTF-8或GBK编码的文字，无法读取！")};
}

ContentOutcome<bool> CheckTextLines(const BytePieces& pieces, qsizetype longest) {
  LongLine longLine(longest);
  Decodes utf8(true, longest);
  // A piece that holds a line too long, or starts one, is not decoded: the
  // line is refused for its length, before any decoding, whatever its bytes.
  const bool read = pieces([&](QByteArrayView piece) {
    longLine.Add(piece);
    if (!longLine.found() && !longLine.growing()) utf8.Add(piece);
    return !longLine.found();
  });
  if (!read) return true;
  longLine.Finish();
  if (const auto& found = longLine.found())
    return ContentRefusal{found->first,
                          {},
                          QStringLiteral("有%1个字节，一行最多%2个字节！")
                              .arg(QString::number(found->second), QString::number(longest))};
  if (utf8.Finish()) return true;
  Decodes gbk(false, longest);
  if (!pieces([&](QByteArrayView piece) {
        gbk.Add(piece);
        return true;
      }))
    return false;
  if (!gbk.Finish()) return NeitherUtf8NorGbk();
  return false;
}

void ForEachLineText(const BytePieces& pieces, bool utf8,
                     const std::function<bool(int number, QString&& text)>& line) {
  QStringDecoder firstLine = utf8 ? Utf8Decoder(false) : GbkDecoder();
  QStringDecoder otherLines = utf8 ? Utf8Decoder(true) : GbkDecoder();
  const ByteLines::Line decoded = [&](int number, QByteArrayView bytes) {
    QString text = (number == 1 ? firstLine : otherLines).decode(bytes);
    if (utf8 && number == 1 && text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
    return line(number, std::move(text));
  };
  ByteLines lines;
  bool going = true;
  if (pieces([&](QByteArrayView piece) { return going = lines.Add(piece, decoded); }) && going)
    lines.Finish(decoded);
}

}  // namespace tarnvel
