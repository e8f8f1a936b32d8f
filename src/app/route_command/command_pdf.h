// The --pdf file of forward, from-jd and check: the command's table printed
// as a design table is, written before the command's other outputs take
// their place and put in place after them.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <string_view>
#include <variant>

#include "command_line.h"
#include "save_file.h"
#include "table_document.h"

namespace tarnvel {

// The title block under a table's title: the route's file name, today's
// date and the unit, as the route window prints them.
QStringList CommandTitleBlock(const RouteCommandLine& line);

// The cells of one CSV line as TableLine writes them, its quotes undone.
QStringList CsvLineCells(std::string_view line);

// The document painted and its PDF written and forced to the medium, not
// yet in place: Finish puts it there once the command's other outputs are.
std::variant<FileRefusal, std::shared_ptr<SavingFile>> WriteCommandPdf(
    const QString& path, const TableDocument& document);

}  // namespace tarnvel
