#include "io/files/line_ends.h"

#include <algorithm>

namespace tarnvel {

namespace {

// How many line ends are a lone CR or a lone LF, each of which grows by one
// character when made CR LF. A computed table has none.
qsizetype LoneLineEnds(const QString& text) {
  qsizetype pairs = 0;
  for (qsizetype at = text.indexOf(u'\n'); at >= 0; at = text.indexOf(u'\n', at + 1))
    if (at > 0 && text[at - 1] == u'\r') ++pairs;
  return text.count(u'\n') + text.count(u'\r') - 2 * pairs;
}

}  // namespace

QString WithCrLf(QString text) {
  const qsizetype lone = LoneLineEnds(text);
  if (lone == 0) return text;
  QString out(text.size() + lone, Qt::Uninitialized);
  const QChar* in = text.constData();
  const QChar* const inEnd = in + text.size();
  QChar* to = out.data();
  if (!text.contains(u'\r')) {
    // LF line ends alone, the common other form: copied line by line.
    qsizetype from = 0;
    for (qsizetype at; (at = text.indexOf(u'\n', from)) >= 0; from = at + 1) {
      to = std::copy(in + from, in + at, to);
      *to++ = u'\r';
      *to++ = u'\n';
    }
    std::copy(in + from, inEnd, to);
    return out;
  }
  for (; in != inEnd; ++in) {
    if (*in == u'\r' || *in == u'\n') {
      if (*in == u'\r' && in + 1 != inEnd && in[1] == u'\n') ++in;
      *to++ = u'\r';
      *to++ = u'\n';
    } else {
      *to++ = *in;
    }
  }
  return out;
}

}  // namespace tarnvel
