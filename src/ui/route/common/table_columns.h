// How the route window's tables size their rows and columns: a million rows
// must scroll and fit their columns without every row being measured.
#pragma once

class QTableView;

namespace tarnvel {

// Rows of one height, and columns as wide as the rows measured about those
// in sight (a long table when `longTable`).
void PrepareTable(QTableView* table, bool longTable);

// Sizes the columns to the rows in sight and to rows spread evenly through
// the table, the last among them, whose name and station are the longest of
// a table that counts up.
void FitColumns(QTableView* table);

}  // namespace tarnvel
