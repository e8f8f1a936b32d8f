#include "text_lines.h"

#include "line_ends.h"

#include <algorithm>

namespace tarnvel {

void TextLines::setText(QString text) {
  // A computed table is already in CR LF form and is indexed in one pass;
  // any other text is brought into that form and indexed again. Nothing is
  // changed until both have succeeded.
  Index index = IndexLines(text);
  if (!index.crLf) {
    text = WithCrLf(std::move(text));
    index = IndexLines(text);
  }
  text_ = std::move(text);
  starts_ = std::move(index.starts);
  longest_ = index.longest;
}

TextLines::Index TextLines::IndexLines(const QString& text) {
  Index index;
  std::vector<qsizetype>& starts = index.starts;
  starts.reserve(size_t(text.count(u'\n')) + 1);
  qsizetype most = -1;
  for (qsizetype at = text.indexOf(u'\n');; at = text.indexOf(u'\n', at + 1)) {
    const qsizetype end = at < 0 ? text.size() : at - 1;
    if (end - starts.back() > most) {
      most = end - starts.back();
      index.longest = qsizetype(starts.size()) - 1;
    }
    if (at < 0) break;
    if (at == 0 || text.at(at - 1) != u'\r') index.crLf = false;
    starts.push_back(at + 1);
  }
  index.crLf = index.crLf && text.count(u'\r') == qsizetype(starts.size()) - 1;
  return index;
}

qsizetype TextLines::lineEnd(qsizetype line) const {
  return line + 1 < lineCount() ? starts_[size_t(line) + 1] - 2 : text_.size();
}

QStringView TextLines::line(qsizetype line) const {
  const qsizetype start = lineStart(line);
  return QStringView(text_).sliced(start, lineEnd(line) - start);
}

qsizetype TextLines::lineOf(qsizetype position) const {
  return std::upper_bound(starts_.begin(), starts_.end(), position) - starts_.begin() - 1;
}

qsizetype TextLines::replace(qsizetype from, qsizetype to, const QString& inserted) {
  // Whatever can fail to allocate is done before the first change.
  const QString piece = WithCrLf(inserted);
  const qsizetype first = lineOf(from);
  const qsizetype last = lineOf(to);
  std::vector<qsizetype> fresh;
  for (qsizetype at = piece.indexOf(u'\n'); at >= 0; at = piece.indexOf(u'\n', at + 1))
    fresh.push_back(from + at + 1);
  const qsizetype removedLines = last - first;
  if (qsizetype(fresh.size()) > removedLines)
    starts_.reserve(starts_.size() + size_t(qsizetype(fresh.size()) - removedLines));
  text_.replace(from, to - from, piece);

  // The starts of lines after the edit move by the change in length; the
  // starts inside the removed span give way to those of the inserted piece.
  const qsizetype delta = piece.size() - (to - from);
  for (size_t i = size_t(last) + 1; i < starts_.size(); ++i) starts_[i] += delta;
  const auto removedBegin = starts_.begin() + first + 1;
  const auto removedEnd = starts_.begin() + last + 1;
  if (removedEnd - removedBegin == qsizetype(fresh.size())) {
    std::copy(fresh.begin(), fresh.end(), removedBegin);
  } else {
    const auto at = starts_.erase(removedBegin, removedEnd);
    starts_.insert(at, fresh.begin(), fresh.end());
  }
  return from + piece.size();
}

}  // namespace tarnvel
