#include "ui/route/common/table_columns.h"

#include <QHeaderView>
#include <QTableView>
#include <algorithm>

namespace tarnvel {

namespace {

// To size its columns a table reads kRowsMeasured rows about those in sight
// and kRowsSpread rows spread through it; no column gets wider so than
// kWidestColumn (px).
constexpr int kRowsMeasured = 50;
constexpr int kRowsSpread = 32;
constexpr int kWidestColumn = 320;

}  // namespace

void PrepareTable(QTableView* table, bool longTable) {
  // Rows of one height let a million-row table scroll without measuring.
  if (longTable) {
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  }
  // A column is as wide as its header and the texts of the rows measured,
  // those in sight and their neighbours: a million rows are never all read.
  // A long name keeps its column within reach of the rest.
  table->horizontalHeader()->setResizeContentsPrecision(kRowsMeasured);
  table->horizontalHeader()->setMaximumSectionSize(kWidestColumn);
}

void FitColumns(QTableView* table) {
  table->resizeColumnsToContents();
  const QAbstractItemModel* model = table->model();
  const int rows = model->rowCount();
  for (int s = 1; s <= kRowsSpread && rows > 0; ++s) {
    const int row = static_cast<int>(static_cast<long long>(rows - 1) * s / kRowsSpread);
    for (int c = 0; c < model->columnCount(); ++c) {
      const int needed = table->sizeHintForIndex(model->index(row, c)).width();
      if (needed > table->columnWidth(c)) table->setColumnWidth(c, std::min(needed, kWidestColumn));
    }
  }
}

}  // namespace tarnvel
