// How many pages a PDF has, as its page tree says.
#pragma once

#include <QByteArray>
#include <QRegularExpression>
#include <QString>

namespace tarnvel::testing_support {

// The page tree's count, or -1 for a document without one.
inline int PdfPageCount(const QByteArray& pdf) {
  const auto match =
      QRegularExpression(QStringLiteral("/Type /Pages\\s*/Kids\\s*\\[[^\\]]*\\]\\s*/Count (\\d+)"))
          .match(QString::fromLatin1(pdf));
  return match.hasMatch() ? match.captured(1).toInt() : -1;
}

}  // namespace tarnvel::testing_support
