// The --pdf file of forward, from-jd and check: the command's table printed
// as a design table is, written before the command's other outputs take
// their place and put in place after them.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/route_command/command_outcome.h"
#include "io/files/save_file.h"
#include "io/print/table_document.h"

namespace tarnvel {

// The most rows a --pdf prints. Painting takes about 6,400 rows a second
// and holds the table's text and the whole file until it is written: at
// this many, some 2,200 pages, about 20 s and 60 MB. A longer table is
// refused before its first row.
inline constexpr long long kMaxPdfRows = 100'000;

// The refusal of a --pdf of `rows` rows, beyond kMaxPdfRows.
std::optional<ArgumentRefusal> PdfRowsRefusal(double rows);

// The title block under a table's title: the route's file name, today's
// date and the unit, as the route window prints them.
QStringList CommandTitleBlock(const QString& route);

// The cells of one CSV line as TableLine writes them, its quotes undone.
QStringList CsvLineCells(std::string_view line);

// The document painted and its PDF written and forced to the medium, not
// yet in place: Finish puts it there once the command's other outputs are.
std::variant<FileRefusal, std::shared_ptr<SavingFile>> WriteCommandPdf(
    const QString& path, const TableDocument& document);

// A table the command wrote as CSV, its lines held without their CR LF,
// printed under `title` as WriteCommandPdf prints it: the command's result
// with the file waiting to take its place, or why it could not be written.
CommandOutcome CsvTablePdf(const QString& path, const QString& title, const QString& route,
                           std::string_view header,
                           std::shared_ptr<const std::vector<std::string>> lines);

}  // namespace tarnvel
