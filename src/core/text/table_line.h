// A row of a table as one line of text: a CSV line, or a tab-separated line
// for a terminal or a paste into a spreadsheet.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarnvel {

// The cells apart by `separator`, the line ended by CR LF. With a comma, a
// cell holding a comma, a quote or a line break is quoted, its quotes
// doubled, as CSV readers take it back.
std::string TableLine(std::span<const std::string> cells, char separator);

// One cell of such a line added to `out`: quoted as above when the separator
// is a comma, as it is otherwise.
void AppendTableCell(std::string& out, std::string_view text, char separator);

}  // namespace tarnvel
