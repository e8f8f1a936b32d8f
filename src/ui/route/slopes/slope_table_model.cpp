#include "ui/route/slopes/slope_table_model.h"

#include <algorithm>
#include <string>

#include "core/route/route_position.h"
#include "core/text/number_reading.h"
#include "core/text/station_text.h"
#include "io/slopes/slope_file.h"

namespace tarnvel {

namespace {

constexpr int kFirstStep = static_cast<int>(kFirstStepColumn);

// Columns up to the 坡率 of step `steps`: 桩号 … 边沟外坡, then 坡率, 坡高 and
// 平台 of each step before it.
int ColumnsForSteps(int steps) {
  return kFirstStep + 3 * (steps - 1) + 1;
}

QStringList ColumnNames(int count) {
  QStringList names;
  for (int i = 0; i < count; ++i) names << SlopeColumnName(static_cast<std::size_t>(i));
  return names;
}

// A station as the file reads it: metres or K text, with the suffix of a
// 长链's pass.
std::optional<double> Station(const QString& text, int* pass = nullptr) {
  const std::string whole = text.trimmed().toStdString();
  const StationPass split = SplitStationPass(whole);
  if (pass) *pass = split.pass;
  return ReadStationText(split.station);
}

// A figure: an empty cell is none.
std::optional<double> Figure(const QString& text) {
  const std::string trimmed = text.trimmed().toStdString();
  return IsBlank(trimmed) ? std::nullopt : ReadStrict(trimmed);
}

}  // namespace

SlopeTableModel::SlopeTableModel(QObject* parent)
    : TextGridModel(ColumnNames(ColumnsForSteps(2)), parent) {
  // A change that needs another step's columns, or no longer needs one,
  // shows them at once.
  connect(this, &TextGridModel::rowsRead, this, [this] { fitColumns(); });
  read();
}

void SlopeTableModel::setLines(const std::vector<QStringList>& lines) {
  std::size_t widest = 0;
  for (const QStringList& line : lines)
    widest = std::max(widest, static_cast<std::size_t>(line.size()));
  setRows(lines, ColumnNames(static_cast<int>(std::max<std::size_t>(widest, 1))));
}

void SlopeTableModel::setRoute(std::shared_ptr<const Route> route) {
  route_ = std::move(route);
  read();
}

void SlopeTableModel::fitColumns(int least) {
  int used = 0;
  for (const QStringList& row : rows())
    for (int c = static_cast<int>(row.size()); c > used; --c)
      if (!row[c - 1].trimmed().isEmpty()) {
        used = c;
        break;
      }
  used = std::max(used, least);
  // The steps begun, and one more.
  const int steps = std::max(1, (used - kFirstStep + 2) / 3) + 1;
  const int count = ColumnsForSteps(steps);
  if (count != columnCount()) setColumns(ColumnNames(count));
}

void SlopeTableModel::makeRoom(int columns) {
  if (columns > columnCount()) fitColumns(columns);
}

QString SlopeTableModel::cellFault(int row, int column, const QString& text) const {
  const auto fault = [&](const QString& what) {
    return QStringLiteral("第%1行“%2”%3").arg(row + 1).arg(columnName(column), what);
  };
  if (column == 0) return Station(text) ? QString() : fault(QStringLiteral("不是有效的桩号！"));
  // 侧 and 填挖 are words: the line's rules say which.
  if (column < static_cast<int>(kFirstDitchColumn) || text.trimmed().isEmpty()) return {};
  return Figure(text) ? QString() : fault(QStringLiteral("不是有效的数字！"));
}

bool SlopeTableModel::isHeaderRow(const QStringList& cells) const {
  return std::none_of(cells.begin(), cells.end(),
                      [](const QString& cell) { return Figure(cell) || Station(cell); });
}

std::optional<SlopeTableModel::Fault> SlopeTableModel::readRows(bool cellsRead) {
  slopes_.reset();
  if (!cellsRead || rows().empty()) return std::nullopt;
  std::vector<SlopeLine> lines;
  std::vector<int> lineOf;
  std::vector<QStringList> fields;
  for (std::size_t r = 0; r < rows().size(); ++r) {
    const int row = static_cast<int>(r);
    QStringList texts;
    for (const QString& cell : rows()[r]) texts << cell.trimmed();
    SlopeCells cells;
    cells.side = texts[kSlopeSideColumn].toStdString();
    cells.kind = texts[kSlopeKindColumn].toStdString();
    for (std::size_t k = 0; k < cells.ditch.size(); ++k)
      cells.ditch[k] =
          Figure(texts[static_cast<qsizetype>(kFirstDitchColumn) + static_cast<qsizetype>(k)]);
    for (qsizetype i = kFirstStep; i < texts.size(); ++i) cells.steps.push_back(Figure(texts[i]));
    auto made = MakeSlopeLine(cells);
    if (const auto* fault = std::get_if<SlopeFault>(&made))
      return Fault{row, static_cast<int>(fault->column),
                   PlaceAndRest(SlopeLineRefusal(row + 1, texts, *fault))};
    SlopeLine& line = std::get<SlopeLine>(made);
    line.station = *Station(texts[0], &line.pass);
    lines.push_back(std::move(line));
    lineOf.push_back(row + 1);
    fields.push_back(std::move(texts));
  }
  if (!route_) return Fault{-1, -1, QStringLiteral("线元表中没有线路，边坡的桩号无法沿线路定位！")};
  auto made = MakeSideSlopes(std::move(lines), RoutePositions(*route_));
  if (const auto* fault = std::get_if<SlopeOrderFault>(&made))
    return Fault{static_cast<int>(fault->line), 0,
                 PlaceAndRest(SlopeOrderRefusal(*fault, lineOf, fields))};
  slopes_ = std::make_shared<const SideSlopes>(std::get<SideSlopes>(std::move(made)));
  return std::nullopt;
}

}  // namespace tarnvel
