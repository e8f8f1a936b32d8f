#include "results_box.h"

#include <QFont>

#include "form_geometry.h"

namespace tarnvel {

namespace {

// The table's columns are padded with spaces for a font whose Latin letters
// are half as wide as its Chinese ones, as "宋体" is; the fallbacks keep that.
QFont TableFont() {
  QFont font = FormFont();
  QStringList families = font.families();
  families.insert(2, QStringLiteral("Noto Sans Mono CJK SC"));
  font.setFamilies(families);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

}  // namespace

ResultsBox::ResultsBox(QWidget* parent) : QPlainTextEdit(parent) {
  // Without wrapping only the rows in view are laid out, which keeps long
  // tables quick to show and to scroll.
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setFont(TableFont());
}

void ResultsBox::setTableText(const QString& text) {
  setPlainText(text);
  moveCursor(QTextCursor::Start);
}

QString ResultsBox::tableText() const {
  // The document keeps lines as blocks; every block end becomes CR LF again.
  // Built in one pass: replacing in place is slow on a text of millions of
  // lines.
  const QString plain = toPlainText();
  QString text;
  text.reserve(plain.size() + plain.count(QLatin1Char('\n')));
  qsizetype from = 0;
  for (qsizetype end; (end = plain.indexOf(QLatin1Char('\n'), from)) >= 0; from = end + 1) {
    text.append(QStringView(plain).sliced(from, end - from));
    text.append(QLatin1String("\r\n"));
  }
  text.append(QStringView(plain).sliced(from));
  return text;
}

}  // namespace tarnvel
