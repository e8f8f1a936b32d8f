#include "table_file.h"

#include <algorithm>

#include "gbk_file_writer.h"

namespace tarnvel {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

bool IsLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

// The lines of a text box, CR LF, LF or a lone CR between them, written with
// CR LF; a text already in CR LF comes out character for character the same.
// Written straight into place, as a table can hold a million lines.
QChar* AppendWithCrLf(QChar* out, const QString& text) {
  const QChar* run = text.constData();
  const QChar* const end = run + text.size();
  for (const QChar* c = run; c != end; ++c) {
    if (!IsLineEnd(*c)) continue;
    out = std::copy(run, c, out);
    *out++ = u'\r';
    *out++ = u'\n';
    if (*c == u'\r' && c + 1 != end && c[1] == u'\n') ++c;
    run = c + 1;
  }
  return std::copy(run, end, out);
}

// How many characters AppendWithCrLf writes.
qsizetype SizeWithCrLf(const QString& text) {
  qsizetype size = text.size();
  const QChar* const end = text.constData() + text.size();
  for (const QChar* c = text.constData(); c != end; ++c) {
    if (!IsLineEnd(*c)) continue;
    if (*c == u'\r' && c + 1 != end && c[1] == u'\n')
      ++c;
    else
      ++size;
  }
  return size;
}

}  // namespace

QString TableFileText(const QString& box_text) {
  const QString head = kCrLf + kCrLf + kTableTitle + kCrLf + kTableRule + kCrLf + kCrLf;
  const QString tail = kCrLf + kCrLf + kCrLf + kTableSignature + kCrLf;
  QString text(head.size() + SizeWithCrLf(box_text) + tail.size(), Qt::Uninitialized);
  QChar* out = std::copy(head.begin(), head.end(), text.data());
  out = AppendWithCrLf(out, box_text);
  std::copy(tail.begin(), tail.end(), out);
  return text;
}

std::optional<FileRefusal> SaveTableFile(const QString& path, const QString& box_text) {
  return WriteGbkFile(path, TableFileText(box_text));
}

}  // namespace tarnvel
