#include "io/files/delimited_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <utility>

#include "io/files/read_file.h"
#include "io/files/text_lines.h"
#include "io/files/utf16_text.h"

namespace tarnvel {

DelimitedFile::DelimitedFile(const QString& path, std::unique_ptr<QFile> file, qsizetype piece)
    : path_(path), file_(std::move(file)), piece_(std::max<qsizetype>(1, piece)) {}

FileOutcome<std::unique_ptr<DelimitedFile>> DelimitedFile::Open(const QString& path,
                                                                qsizetype piece) {
  FileOutcome<std::unique_ptr<QFile>> opened = OpenRegularFile(path);
  if (auto* refusal = std::get_if<FileRefusal>(&opened)) return std::move(*refusal);
  std::unique_ptr<DelimitedFile> file(
      new DelimitedFile(path, std::move(std::get<std::unique_ptr<QFile>>(opened)), piece));
  file->stamp_ = file->Stamped();
  const QByteArray mark = file->file_->read(2);
  file->utf16_ = HasUtf16ByteOrderMark(mark);
  // The whole file is read through once, as a whole file's reading would
  // refuse it: a read that fails, then a file too large, then its content.
  Reading reading;
  const BytePieces pieces = [&](const std::function<bool(QByteArrayView)>& piece) {
    reading = file->Read(piece, kDelimitedFileReadLimit + 1, true);
    return !reading.failure && reading.bytes <= kDelimitedFileReadLimit;
  };
  const ContentOutcome<bool> utf8 = CheckTextLines(pieces, kLongestDelimitedLine);
  if (reading.failure) return std::move(*reading.failure);
  if (reading.bytes > kDelimitedFileReadLimit) return LargerThan(path, kDelimitedFileReadLimit);
  if (!reading.text) return InFile(path, NeitherUtf8NorGbk());
  if (const auto* refusal = std::get_if<ContentRefusal>(&utf8)) return InFile(path, *refusal);
  if (file->Stamped() != file->stamp_) return file->Changed();
  file->utf8_ = std::get<bool>(utf8);
  file->size_ = reading.bytes;
  return file;
}

std::optional<FileRefusal> DelimitedFile::ForEachRecord(qsizetype maxFields,
                                                        const QStringList& columns,
                                                        const DelimitedLineHandler& handle,
                                                        const RecordTest& anywhere) {
  Reading reading;
  const BytePieces pieces = [&](const std::function<bool(QByteArrayView)>& piece) {
    reading = Read(piece, size_, false);
    return !reading.failure;
  };
  const DelimitedLineHandler record = SkippingHeader(columns, handle, anywhere);
  std::optional<ContentRefusal> refusal;
  ForEachLineText(pieces, utf8_, [&](int number, QString&& text) {
    std::optional<QStringList> fields = SplitDelimitedLine(text, maxFields);
    if (!fields) return true;
    refusal = record(DelimitedLine{number, std::move(*fields)});
    return !refusal;
  });
  if (reading.failure) return std::move(*reading.failure);
  // What was read may not be what was checked: a line that is not whole, a
  // field of a file that was not yet written.
  if (!reading.text || Stamped() != stamp_) return Changed();
  if (refusal) return InFile(path_, *refusal);
  return std::nullopt;
}

DelimitedFile::Reading DelimitedFile::Read(const std::function<bool(QByteArrayView)>& piece,
                                           qint64 most, bool whole) {
  Reading reading;
  if (!file_->seek(0)) {
    reading.failure = CannotRead(path_, file_->errorString());
    return reading;
  }
  QByteArray bytes(piece_, Qt::Uninitialized);
  std::optional<Utf16ToUtf8> utf16;
  if (utf16_) utf16.emplace();
  QByteArray utf8;
  bool wanted = true;
  while (reading.bytes < most && (wanted || whole)) {
    const qint64 got = file_->read(bytes.data(), std::min<qint64>(piece_, most - reading.bytes));
    if (got < 0) {
      reading.failure = CannotRead(path_, file_->errorString());
      return reading;
    }
    if (got == 0) break;
    reading.bytes += got;
    const QByteArrayView read(bytes.constData(), got);
    if (!utf16) {
      wanted = wanted && piece(read);
      continue;
    }
    if (!reading.text) continue;
    utf8.clear();
    reading.text = utf16->Add(read, utf8);
    wanted = wanted && reading.text && (utf8.isEmpty() || piece(utf8));
  }
  if (utf16 && reading.text && (wanted || whole)) {
    utf8.clear();
    reading.text = utf16->Finish(utf8);
    if (wanted && reading.text && !utf8.isEmpty()) piece(utf8);
  }
  return reading;
}

std::optional<DelimitedFile::Stamp> DelimitedFile::Stamped() const {
  struct stat info {};
  if (::fstat(file_->handle(), &info) != 0) return std::nullopt;
  return Stamp{info.st_size, info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

FileRefusal DelimitedFile::Changed() const {
  return CannotRead(path_, QStringLiteral("文件在读取时被改动"));
}

}  // namespace tarnvel
