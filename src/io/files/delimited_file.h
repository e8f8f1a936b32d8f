// A line-by-line file (delimited_text) read a piece at a time and never held
// whole, so that a stations or points file of a million lines is read,
// computed and written a line at a time. It is checked whole before any
// record, as the whole content of a file is, and refused alike: its size,
// each line's length, its encoding.
#pragma once

#include <QFile>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "io/files/delimited_text.h"
#include "io/files/file_refusal.h"

namespace tarnvel {

class DelimitedFile {
 public:
  // The bytes read at a time.
  static constexpr qsizetype kPiece = 256 * 1024;

  // The file at `path` opened and checked: refused as ReadFileBytes refuses
  // it (at most kDelimitedFileReadLimit bytes), then as ForEachDelimitedLine
  // refuses a whole content before any record, said of the file. `piece`
  // bytes are read at a time.
  static FileOutcome<std::unique_ptr<DelimitedFile>> Open(const QString& path,
                                                          qsizetype piece = kPiece);

  // Each record handed to `handle` in order, as ForEachDelimitedLine hands
  // those of the whole content, the file read again from its start.
  // Nothing once every record is handed over; else the first refusal, a
  // line's said of the file, or why the file could not be read again: a read
  // that failed, or the file changed since it was checked ("读取文件“…”时出错：
  // 文件在读取时被改动！").
  std::optional<FileRefusal> ForEachRecord(qsizetype maxFields, const QStringList& columns,
                                           const DelimitedLineHandler& handle,
                                           const RecordTest& anywhere = {});

  const QString& path() const { return path_; }

 private:
  // What a reading of the file found.
  struct Reading {
    std::optional<FileRefusal> failure;  // a read that failed
    qint64 bytes = 0;                    // read
    bool text = true;                    // false for a UTF-16 file that is no text
  };
  // When and how large the file was, to tell that it changed.
  struct Stamp {
    qint64 size = 0, seconds = 0, nanoseconds = 0;
    bool operator==(const Stamp&) const = default;
  };

  DelimitedFile(const QString& path, std::unique_ptr<QFile> file, qsizetype piece);
  // Each piece of at most `most` bytes from the file's start, made UTF-8 when
  // the file is UTF-16, to `piece` until it returns false. With `whole` the
  // reading goes on to the end all the same, as a whole file's reading
  // would, to find a read that fails or a UTF-16 text that is no text.
  Reading Read(const std::function<bool(QByteArrayView)>& piece, qint64 most, bool whole);
  std::optional<Stamp> Stamped() const;
  FileRefusal Changed() const;

  QString path_;
  std::unique_ptr<QFile> file_;
  qsizetype piece_;
  bool utf16_ = false;
  bool utf8_ = true;  // when not UTF-16: else GBK
  qint64 size_ = 0;   // as checked
  std::optional<Stamp> stamp_;
};

}  // namespace tarnvel
