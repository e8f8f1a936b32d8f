#include "table_file.h"

#include "gbk_file_writer.h"

namespace tarnvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A text box may hand its lines back joined by LF; the file wants CR LF, and
// a text already in CR LF must come out byte for byte the same. One pass, as
// a table can hold a million lines.
QString WithCrLf(const QString& text) {
  QString out;
  out.reserve(text.size() + text.size() / 16);
  const QChar* run = text.constData();
  const QChar* const end = run + text.size();
  for (const QChar* c = run; c != end; ++c) {
    if (*c != u'\r' && *c != u'\n') continue;
    out.append(run, c - run);
    out += kCrLf;
    if (*c == u'\r' && c + 1 != end && c[1] == u'\n') ++c;
    run = c + 1;
  }
  out.append(run, end - run);
  return out;
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
