// A table printed on paper or into a PDF as a design table is: a title block
// on every page (the title, then lines such as the route's name, the date and
// the units), the header row repeated on every page, and page numbers.
#pragma once

#include <QPagedPaintDevice>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "io/files/file_refusal.h"

namespace tarnvel {

struct TableDocument {
  QString title;
  QStringList notes;  // under the title, one line each
  QStringList header;
  qsizetype rowCount = 0;
  // The cells of row i, asked for in order as the pages are painted, so that
  // a table of a million rows is never held as text.
  std::function<QStringList(qsizetype)> row;
};

// Paints the document on the device's pages, A4, portrait when the columns
// fit and landscape when they do not, the type made smaller (down to 5 pt)
// when even that is too narrow. Returns the number of pages.
int PaintTableDocument(QPagedPaintDevice& device, const TableDocument& document);

// The document as the bytes of a PDF file.
QByteArray TablePdfBytes(const TableDocument& document);

// The document as a PDF file, saved all or nothing.
std::optional<FileRefusal> SaveTablePdf(const QString& path, const TableDocument& document);

}  // namespace tarnvel
