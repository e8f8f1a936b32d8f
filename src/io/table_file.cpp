#include "table_file.h"

#include "gbk_file_writer.h"
#include "line_ends.h"

namespace tarnvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

}  // namespace

QString TableFileText(const QString& box_text) {
  const QString head = kCrLf + kCrLf + kTableTitle + kCrLf + kTableRule + kCrLf + kCrLf;
  const QString tail = kCrLf + kCrLf + kCrLf + kTableSignature + kCrLf;
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

}  // namespace tarnvel
