// The text of the results box, every line ended by CR LF, held as compactly
// as a table of a million rows needs. The table comes from the computation as
// UTF-8 and is kept as it came: a line is decoded only when it is drawn,
// read or edited. A line the user has edited is kept decoded on its own.
// Positions are counted in UTF-16 code units from the start of the whole
// text, as in a QString holding it, so the box, the clipboard and a screen
// reader all count alike.
#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnvel {

class TextLines {
 public:
  TextLines() = default;
  explicit TextLines(const QString& text) { setText(text); }

  // Replaces the whole text. CR LF, a lone LF and a lone CR each end a line;
  // all are kept as CR LF. On std::bad_alloc the old text stays as it was;
  // a text of more than 2^31 − 1 bytes or characters throws it too.
  void setText(const QString& text);
  // The same for a UTF-8 text, taken over without a copy when it is valid
  // UTF-8 whose every line end is CR LF, as a computed table is.
  void setUtf8(std::string text);

  // The whole text, every line end CR LF, made afresh on each call.
  QString text() const;
  // The text between two positions.
  QString slice(qsizetype from, qsizetype to) const;
  qsizetype size() const { return size_; }

  // There is always at least one line; a text ending in CR LF has an empty
  // last line after it.
  qsizetype lineCount() const { return qsizetype(starts_.size()); }
  qsizetype lineStart(qsizetype line) const { return starts_[size_t(line)]; }
  // Where the line's text ends, before its CR LF.
  qsizetype lineEnd(qsizetype line) const;
  QString line(qsizetype line) const;
  // The line that holds the position; a position is never inside a CR LF.
  qsizetype lineOf(qsizetype position) const;

  // The line with the most characters at the last setText, a first guess at
  // the widest line.
  qsizetype longestLine() const { return longest_; }

  // Replaces the characters [from, to) by `inserted`, whose line ends are
  // made CR LF first. Both ends must be positions (not inside a CR LF).
  // Returns where the inserted text ends. On std::bad_alloc the text stays as
  // it was, as it does for an edit that would make the text longer than the
  // box takes.
  qsizetype replace(qsizetype from, qsizetype to, const QString& inserted);

 private:
  // Offsets into the text are held in 32 bits: the line index of a
  // million-row table is then 8 MB, not 16, and it is held twice while a new
  // table replaces the old. A text longer than this the box does not take.
  using Offset = std::int32_t;
  static constexpr qsizetype kMostOffset = INT32_MAX;

  // Where a line's characters are: at a byte offset of source_ (up to the
  // next CR), or, for ~where >= 0, in edited_[~where].
  using Where = Offset;

  std::string source_;
  std::vector<Offset> starts_{0};  // the position where each line starts
  std::vector<Where> where_{~Where(0)};
  std::vector<QString> edited_{QString()};
  qsizetype size_ = 0;
  qsizetype longest_ = 0;
  qsizetype sourceLines_ = 0;  // lines still read from source_
};

}  // namespace tarnvel
