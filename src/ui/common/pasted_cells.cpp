#include "ui/common/pasted_cells.h"

namespace tarnvel {

QList<QStringList> PastedCells(const QString& text) {
  QStringList lines = text.split(u'\n');
  if (!lines.isEmpty() && lines.back().trimmed().isEmpty()) lines.removeLast();
  QList<QStringList> rows;
  for (QString line : lines) {
    if (line.endsWith(u'\r')) line.chop(1);
    QStringList cells = line.split(line.contains(u'\t') ? u'\t' : u',');
    for (QString& cell : cells) cell = cell.trimmed();
    rows.append(cells);
  }
  return rows;
}

}  // namespace tarnvel
