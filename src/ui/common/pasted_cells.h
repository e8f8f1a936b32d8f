// Cells as a spreadsheet copies them, or as a user types them: a row a line,
// cells apart by tabs, or by commas in a line that holds no tab.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tarnvel {

// The rows of `text`, each cell trimmed. A last empty line (the line end a
// spreadsheet puts after its last row) makes no row; CR LF ends a line as LF.
QList<QStringList> PastedCells(const QString& text);

}  // namespace tarnvel
