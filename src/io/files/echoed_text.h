// Text of a file or of the user, quoted back in a refusal. A message box or a
// terminal shows a few dozen characters readably; a 50 MB coordinate text or
// a hundred thousand alignment names quoted whole would make the refusal a
// fault of its own. Texts as short as a field's are quoted as they are.
#pragma once

#include <QString>
#include <QStringList>

namespace tarnvel {

// The most characters of one text a refusal quotes.
inline constexpr qsizetype kEchoedCharacters = 40;
// The most names a refusal lists.
inline constexpr qsizetype kListedNames = 5;

// The text itself when it has at most kEchoedCharacters characters, else its
// first kEchoedCharacters followed by "…" (a character written as two UTF-16
// units is not split).
QString EchoedText(const QString& text);

// The names, each as EchoedText gives it, joined by "、"; when there are more
// than kListedNames, the first kListedNames and "、…等N个", N counting all.
QString ListedNames(const QStringList& names);

}  // namespace tarnvel
