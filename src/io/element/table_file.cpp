#include "io/element/table_file.h"

#include "io/files/gbk_file_writer.h"
#include "io/files/line_ends.h"
#include "io/files/save_file.h"

namespace tarnvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString Head() {
  return kCrLf + kCrLf + kTableTitle + kCrLf + kTableRule + kCrLf + kCrLf;
}
QString Tail() {
  return kCrLf + kCrLf + kCrLf + kTableSignature + kCrLf;
}

}  // namespace

QString TableFileText(const QString& box_text) {
  const QString head = Head();
  const QString tail = Tail();
  const QString body = WithCrLf(box_text);
  QString text;
  text.reserve(head.size() + body.size() + tail.size());
  text += head;
  text += body;
  text += tail;
  return text;
}

std::optional<FileRefusal> SaveTableFile(const QString& path, const QString& box_text) {
  return WriteGbkFile(path, TableFileText(box_text));
}

std::optional<FileRefusal> SaveTableFile(const QString& path, const TextPieces& pieces,
                                         qsizetype size_hint) {
  QByteArray bytes;
  // GBK takes one byte for each ASCII character, and a table is nearly all
  // ASCII; what little more it needs, the array finds by growing.
  bytes.reserve(size_hint + 256);
  if (auto refusal = AppendGbk(path, Head(), bytes)) return refusal;
  for (QString piece = pieces(); !piece.isEmpty(); piece = pieces())
    if (auto refusal = AppendGbk(path, WithCrLf(std::move(piece)), bytes)) return refusal;
  if (auto refusal = AppendGbk(path, Tail(), bytes)) return refusal;
  return SaveFileBytes(path, bytes);
}

}  // namespace tarnvel
