// The text of the results box held once, as one string whose every line ends
// in CR LF, with the offset at which each line starts. A table of a million
// rows is set, shown and read back without being split into a million
// pieces; an edit moves the tail of the string once.
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

namespace tarnvel {

class TextLines {
 public:
  TextLines() = default;
  explicit TextLines(QString text) { setText(std::move(text)); }

  // Replaces the whole text. CR LF, a lone LF and a lone CR each end a line;
  // all are kept as CR LF. A text already in that form is kept as given,
  // without a copy. On std::bad_alloc the old text stays as it was.
  void setText(QString text);

  // The whole text, every line end CR LF.
  const QString& text() const { return text_; }
  qsizetype size() const { return text_.size(); }

  // There is always at least one line; a text ending in CR LF has an empty
  // last line after it.
  qsizetype lineCount() const { return qsizetype(starts_.size()); }
  qsizetype lineStart(qsizetype line) const { return starts_[size_t(line)]; }
  // Where the line's text ends, before its CR LF.
  qsizetype lineEnd(qsizetype line) const;
  QStringView line(qsizetype line) const;
  // The line that holds the position; a position is never inside a CR LF.
  qsizetype lineOf(qsizetype position) const;

  // The line with the most characters at the last setText, a first guess at
  // the widest line.
  qsizetype longestLine() const { return longest_; }

  // Replaces the characters [from, to) by `inserted`, whose line ends are
  // made CR LF first. Both ends must be positions (not inside a CR LF).
  // Returns where the inserted text ends. On std::bad_alloc the text stays as
  // it was.
  qsizetype replace(qsizetype from, qsizetype to, const QString& inserted);

 private:
  struct Index {
    std::vector<qsizetype> starts{0};
    qsizetype longest = 0;
    bool crLf = true;  // every line end is CR LF
  };
  static Index IndexLines(const QString& text);

  QString text_;
  std::vector<qsizetype> starts_{0};
  qsizetype longest_ = 0;
};

}  // namespace tarnvel
