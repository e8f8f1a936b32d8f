#include "ui/main/text_lines.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>

#include "io/files/line_ends.h"

namespace tarnvel {

namespace {

// The line starts of a UTF-8 text and where each line's bytes begin, found
// in one pass over the bytes, with the text's length in UTF-16 code units.
// False unless the text is valid UTF-8 whose every line end is CR LF.
struct Utf8Index {
  std::vector<std::int32_t> starts{0};
  std::vector<std::int32_t> where{0};
  qsizetype size = 0;
  qsizetype longest = 0;
};

bool IndexUtf8(const std::string& text, Utf8Index& index) {
  // Positions never pass byte offsets, so this bounds both.
  if (text.size() > size_t(INT32_MAX)) throw std::bad_alloc();
  const auto* const begin = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = begin + text.size();
  // A byte-order mark would be read as a character here but dropped by some
  // decoders; such a text takes the slow way.
  if (text.size() >= 3 && begin[0] == 0xEF && begin[1] == 0xBB && begin[2] == 0xBF) return false;
  // Exactly as much room as a table of CR LF lines needs: the index is kept
  // as long as the table is.
  const auto lines = size_t(std::count(text.begin(), text.end(), '\n')) + 1;
  index.starts.reserve(lines);
  index.where.reserve(lines);
  qsizetype position = 0;
  qsizetype lineStart = 0;
  qsizetype most = -1;
  const auto endLine = [&] {
    if (position - lineStart > most) {
      most = position - lineStart;
      index.longest = qsizetype(index.starts.size()) - 1;
    }
  };
  for (const unsigned char* p = begin; p < end;) {
    // Eight bytes at a time while they are plain ASCII above the control
    // characters, as nearly all of a table is.
    if (end - p >= 8) {
      std::uint64_t word;
      std::memcpy(&word, p, 8);
      constexpr std::uint64_t kHigh = 0x8080808080808080u;
      constexpr std::uint64_t kBelow0E = 0x0E0E0E0E0E0E0E0Eu;
      if (((word | ((word - kBelow0E) & ~word)) & kHigh) == 0) {
        position += 8;
        p += 8;
        continue;
      }
    }
    const unsigned char c = *p;
    if (c < 0x80) {
      if (c == '\r') {
        if (end - p < 2 || p[1] != '\n') return false;
        endLine();
        position += 2;
        p += 2;
        lineStart = position;
        index.starts.push_back(std::int32_t(position));
        index.where.push_back(std::int32_t(p - begin));
        continue;
      }
      if (c == '\n') return false;
      ++position;
      ++p;
      continue;
    }
    int extra = 0;
    char32_t code = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      code = c & 0x07;
    } else {
      return false;
    }
    if (end - p <= extra) return false;
    for (int i = 1; i <= extra; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
      code = (code << 6) | (p[i] & 0x3F);
    }
    if ((extra == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (extra == 3 && (code < 0x10000 || code > 0x10FFFF)))
      return false;
    position += extra == 3 ? 2 : 1;  // a surrogate pair beyond the first plane
    p += extra + 1;
  }
  endLine();
  index.size = position;
  return true;
}

// The UTF-8 form of a text, written straight into a string of its exact
// length; a lone surrogate becomes U+FFFD.
std::string ToUtf8(QStringView text) {
  const auto pairAt = [&](qsizetype i) {
    return text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
  };
  size_t length = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (c < 0x80) {
      length += 1;
    } else if (c < 0x800) {
      length += 2;
    } else if (pairAt(i)) {
      length += 4;
      ++i;
    } else {
      length += 3;
    }
  }
  std::string utf8(length, '\0');
  char* out = utf8.data();
  for (qsizetype i = 0; i < text.size(); ++i) {
    char32_t c = text[i].unicode();
    if (c < 0x80) {
      *out++ = char(c);
    } else if (c < 0x800) {
      *out++ = char(0xC0 | (c >> 6));
      *out++ = char(0x80 | (c & 0x3F));
    } else if (pairAt(i)) {
      c = QChar::surrogateToUcs4(text[i], text[i + 1]);
      ++i;
      *out++ = char(0xF0 | (c >> 18));
      *out++ = char(0x80 | ((c >> 12) & 0x3F));
      *out++ = char(0x80 | ((c >> 6) & 0x3F));
      *out++ = char(0x80 | (c & 0x3F));
    } else {
      if (QChar::isSurrogate(c)) c = QChar::ReplacementCharacter;
      *out++ = char(0xE0 | (c >> 12));
      *out++ = char(0x80 | ((c >> 6) & 0x3F));
      *out++ = char(0x80 | (c & 0x3F));
    }
  }
  return utf8;
}

}  // namespace

void TextLines::setText(const QString& text) {
  // Kept as UTF-8 like a computed table: half the memory of UTF-16 for the
  // digits and spaces a table is made of.
  setUtf8(ToUtf8(WithCrLf(text)));
}

void TextLines::setUtf8(std::string text) {
  Utf8Index index;
  if (!IndexUtf8(text, index)) {
    // Line ends other than CR LF, or bytes that are not UTF-8: decoded once
    // the way any UTF-8 text is, then kept in the same form.
    text = WithCrLf(QString::fromUtf8(text.data(), qsizetype(text.size()))).toStdString();
    index = {};
    if (!IndexUtf8(text, index)) {
      // A leading byte-order mark: the text is kept decoded, line by line.
      const QString decoded = QString::fromStdString(text);
      if (decoded.size() > kMostOffset) throw std::bad_alloc();
      std::vector<QString> edited;
      std::vector<Offset> starts;
      std::vector<Where> where;
      qsizetype at = 0;
      for (const QStringView line : QStringView(decoded).tokenize(u"\r\n")) {
        starts.push_back(Offset(at));
        where.push_back(~Where(edited.size()));
        edited.push_back(line.toString());
        at += line.size() + 2;
      }
      edited_ = std::move(edited);
      source_.clear();
      starts_ = std::move(starts);
      where_ = std::move(where);
      size_ = decoded.size();
      longest_ = 0;
      sourceLines_ = 0;
      return;
    }
  }
  edited_.clear();
  source_ = std::move(text);
  starts_ = std::move(index.starts);
  where_ = std::move(index.where);
  size_ = index.size;
  longest_ = index.longest;
  sourceLines_ = lineCount();
}

qsizetype TextLines::lineEnd(qsizetype line) const {
  return line + 1 < lineCount() ? starts_[size_t(line) + 1] - 2 : size_;
}

QString TextLines::line(qsizetype line) const {
  const Where where = where_[size_t(line)];
  if (where < 0) return edited_[size_t(~where)];
  const char* const begin = source_.data() + where;
  const auto* cr =
      static_cast<const char*>(std::memchr(begin, '\r', source_.size() - size_t(where)));
  return QString::fromUtf8(begin, (cr ? cr : source_.data() + source_.size()) - begin);
}

QString TextLines::slice(qsizetype from, qsizetype to) const {
  QString text;
  if (from >= to) return text;
  text.reserve(to - from);
  const qsizetype first = lineOf(from);
  const qsizetype last = lineOf(to);
  for (qsizetype n = first; n <= last; ++n) {
    if (n > first) text += QLatin1String("\r\n");
    const qsizetype start = lineStart(n);
    const QString whole = line(n);
    const qsizetype a = std::max(from, start) - start;
    const qsizetype b = std::min(to, lineEnd(n)) - start;
    if (b > a) text += QStringView(whole).sliced(a, b - a);
  }
  return text;
}

QString TextLines::text() const {
  return slice(0, size_);
}

qsizetype TextLines::lineOf(qsizetype position) const {
  return std::upper_bound(starts_.begin(), starts_.end(), position) - starts_.begin() - 1;
}

qsizetype TextLines::replace(qsizetype from, qsizetype to, const QString& inserted) {
  // Whatever can fail to allocate is done before the first change.
  const QString piece = WithCrLf(inserted);
  const qsizetype first = lineOf(from);
  const qsizetype last = lineOf(to);
  const QString firstLine = line(first);
  const QString lastLine = line(last);
  QString joined;
  joined.reserve(from - lineStart(first) + piece.size() + lineEnd(last) - to);
  joined += QStringView(firstLine).first(from - lineStart(first));
  joined += piece;
  joined += QStringView(lastLine).sliced(to - lineStart(last));
  std::vector<QString> fresh;
  for (const QStringView part : QStringView(joined).tokenize(u"\r\n"))
    fresh.push_back(part.toString());
  const qsizetype added = qsizetype(fresh.size());
  const qsizetype removed = last - first + 1;
  const qsizetype delta = piece.size() - (to - from);
  if (size_ + delta > kMostOffset) throw std::bad_alloc();
  std::vector<Offset> freshStarts(static_cast<size_t>(added));
  std::vector<Where> freshWhere(static_cast<size_t>(added));
  for (qsizetype k = 0, at = lineStart(first); k < added; at += fresh[size_t(k)].size() + 2, ++k) {
    freshStarts[size_t(k)] = Offset(at);
    freshWhere[size_t(k)] = ~Where(edited_.size() + size_t(k));
  }
  edited_.reserve(edited_.size() + size_t(added));
  if (added > removed) {
    starts_.reserve(starts_.size() + size_t(added - removed));
    where_.reserve(where_.size() + size_t(added - removed));
  }

  // The lines replaced give up their text; a source no line uses any more
  // is let go of.
  for (qsizetype n = first; n <= last; ++n) {
    const Where where = where_[size_t(n)];
    if (where < 0)
      edited_[size_t(~where)] = QString();
    else
      --sourceLines_;
  }
  for (QString& text : fresh) edited_.push_back(std::move(text));
  if (sourceLines_ == 0) std::string().swap(source_);

  // The starts of lines after the edit move by the change in length.
  for (size_t n = size_t(last) + 1; n < starts_.size(); ++n) starts_[n] += Offset(delta);
  const auto splice = [&](auto& lines, const auto& replacement) {
    const auto removedBegin = lines.begin() + first;
    if (added == removed) {
      std::copy(replacement.begin(), replacement.end(), removedBegin);
    } else {
      const auto at = lines.erase(removedBegin, removedBegin + removed);
      lines.insert(at, replacement.begin(), replacement.end());
    }
  };
  splice(starts_, freshStarts);
  splice(where_, freshWhere);
  size_ += delta;
  return from + piece.size();
}

}  // namespace tarnvel
