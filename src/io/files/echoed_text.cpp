#include "io/files/echoed_text.h"

#include <algorithm>

namespace tarnvel {

QString EchoedText(const QString& text) {
  if (text.size() <= kEchoedCharacters) return text;
  qsizetype kept = kEchoedCharacters;
  if (text[kept - 1].isHighSurrogate()) --kept;
  return text.first(kept) + QStringLiteral("…");
}

QString ListedNames(const QStringList& names) {
  QStringList listed;
  const qsizetype shown = std::min(names.size(), kListedNames);
  listed.reserve(shown + 1);
  for (qsizetype i = 0; i < shown; ++i) listed.append(EchoedText(names[i]));
  if (names.size() > shown) listed.append(QStringLiteral("…等%1个").arg(names.size()));
  return listed.join(QStringLiteral("、"));
}

}  // namespace tarnvel
