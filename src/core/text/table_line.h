// A row of a table as one line of text: a CSV line, or a tab-separated line
// for a terminal or a paste into a spreadsheet.
#pragma once

#include <cstddef>
#include <iterator>
#include <string>
#include <string_view>

namespace tarnvel {

// One cell of such a line added to `out`: quoted as below when the separator
// is a comma, as it is otherwise.
void AppendTableCell(std::string& out, std::string_view text, char separator);

// The cells (strings or string views) apart by `separator`, the line ended by
// CR LF. With a comma, a cell holding a comma, a quote or a line break is
// quoted, its quotes doubled, as CSV readers take it back.
template <class Cells>
std::string TableLine(const Cells& cells, char separator) {
  std::string out;
  for (std::size_t i = 0; i < std::size(cells); ++i) {
    if (i > 0) out += separator;
    AppendTableCell(out, cells[i], separator);
  }
  out += "\r\n";
  return out;
}

}  // namespace tarnvel
