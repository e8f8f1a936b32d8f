#include "table_file.h"

#include "gbk_file_writer.h"

namespace tarnvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A text box hands its lines back joined by LF; the file wants CR LF, and a
// text already in CR LF must come out byte for byte the same.
QString WithCrLf(QString text) {
  text.replace(kCrLf, QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  text.replace(QStringLiteral("\n"), kCrLf);
  return text;
}

}  // namespace

QString TableFileText(const QString& box_text) {
  return kCrLf + kCrLf + kTableTitle + kCrLf + kTableRule + kCrLf + kCrLf + WithCrLf(box_text) +
         kCrLf + kCrLf + kCrLf + kTableSignature + kCrLf;
}

std::optional<FileRefusal> SaveTableFile(const QString& path, const QString& box_text) {
  return WriteGbkFile(path, TableFileText(box_text));
}

}  // namespace tarnvel
