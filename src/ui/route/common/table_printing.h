// The route window's tables on paper and in PDF: a page's table made into a
// TableDocument, saved as a PDF or shown in the print preview.
#pragma once

#include <QString>
#include <functional>
#include <vector>

#include "io/print/table_document.h"

class QAbstractItemModel;
class QWidget;

namespace tarnvel {

class RoutePageHost;

// The document of `columns` of `model`, under `title` with the title block
// every printed table has: the route's file name (or 未命名), today's date
// and the units. A copy takes the texts now, for a table that may change
// while the PDF is written; otherwise each row is read from the model as its
// page is painted, which the stakeout's million rows need.
enum class RowTexts { Copied, ReadWhenPainted };
TableDocument ModelDocument(const QAbstractItemModel& model, const std::vector<int>& columns,
                            const QString& title, const QWidget& page, RowTexts texts);

// Asks for a path (.pdf added when missing) and writes the document there as
// a job.
void ExportTablePdf(RoutePageHost& host, TableDocument document);

// Shows the document in a print preview; replaced by tests, which cannot
// answer a modal dialog.
using PrintPreview = std::function<void(QWidget* parent, const TableDocument& document)>;
void ShowPrintPreview(QWidget* parent, const TableDocument& document);

}  // namespace tarnvel
