// The route window's page 曲线表: the 直线、曲线及转角表 of the JD table the
// route was made from, with every 交点桩号 the table gives that the
// computation does not reach, saved as CSV, printed or saved as a PDF; empty
// for a route read as elements.
#pragma once

#include <QWidget>
#include <memory>
#include <vector>

#include "jd_table.h"
#include "table_printing.h"

namespace Ui {
class CurvesPage;
}

namespace tarnvel {

class DesignTableModel;
class RoutePageHost;

class CurvesPage : public QWidget {
  Q_OBJECT

 public:
  explicit CurvesPage(RoutePageHost& host, QWidget* parent = nullptr);
  ~CurvesPage() override;

  // The design table of `points` from BP at `startStation`, a table
  // RouteFromJd passed, columns fitted to it.
  void setJdTable(const std::vector<JdPoint>& points, double startStation);
  // No table: the route was not made from a JD table.
  void clear();
  // Replaced by tests, which cannot answer a modal dialog.
  void setPrintPreview(PrintPreview preview) { printPreview_ = std::move(preview); }

 private:
  void saveClicked();
  void exportPdfClicked();
  void printClicked();
  bool refusedWithoutTable();
  TableDocument document() const;
  void showMismatches(const std::vector<JdPoint>& points);

  std::unique_ptr<Ui::CurvesPage> ui_;
  RoutePageHost& host_;
  DesignTableModel* design_;
  PrintPreview printPreview_ = ShowPrintPreview;
};

}  // namespace tarnvel
