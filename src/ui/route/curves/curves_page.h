// The route window's page 曲线表: the JD table the route was made from, to
// type, paste and edit, and its 直线、曲线及转角表 with every 交点桩号 the
// table gives that the computation does not reach, saved as CSV, printed or
// saved as a PDF; both empty for a route read as elements.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/jd/jd_table.h"
#include "core/jd/route_from_jd.h"
#include "ui/route/common/table_printing.h"

namespace Ui {
class CurvesPage;
}

namespace tarnvel {

class DesignTableModel;
class JdTableModel;
class RouteDocument;
class RoutePageHost;

class CurvesPage : public QWidget {
  Q_OBJECT

 public:
  // The design table and the elements of an edited JD table jump at the
  // 断链 `document` declares, as from-jd's do; the tables shown stay as
  // they are until the JD table is read or edited again, as the 线元表
  // keeps its stations when the declarations change. They follow its prefix
  // of K text at once: the design table, its CSV, PDF and print, and the
  // 交点桩号 messages.
  CurvesPage(RoutePageHost& host, RouteDocument& document, QWidget* parent = nullptr);
  ~CurvesPage() override;

  // The JD table the route was made from, BP at `startStation` when given
  // (JdStartStation), and its design table, columns fitted to them.
  void setJdTable(const std::vector<JdPoint>& points, std::optional<double> startStation);
  // No table: the route was not made from a JD table.
  void clear();
  // Replaced by tests, which cannot answer a modal dialog.
  void setPrintPreview(PrintPreview preview) { printPreview_ = std::move(preview); }

 signals:
  // The JD table as edited made a route, these elements with the declared
  // 断链 laid; one it refuses leaves the route as it was, and says why.
  void jdRouteEdited(const std::vector<RouteElement>& elements, const std::vector<JdPoint>& points);

 private:
  void saveClicked();
  void exportPdfClicked();
  void printClicked();
  bool refusedWithoutTable();
  void jdEdited();
  void showDesign();
  void addRowClicked();
  void insertRowClicked();
  void deleteRowClicked();
  void pasteClicked();
  void showCellProblem(const QModelIndex& index);
  TableDocument document() const;
  void showMismatches(const std::vector<JdPoint>& points);
  void showMismatchTexts();
  void setStationPrefix(const QString& prefix);

  std::unique_ptr<Ui::CurvesPage> ui_;
  RoutePageHost& host_;
  RouteDocument& document_;
  JdTableModel* jd_;
  DesignTableModel* design_;
  PrintPreview printPreview_ = ShowPrintPreview;
  // The design table's rows whose 交点桩号 the computation does not reach,
  // each with its difference (JdStationMismatch).
  std::vector<std::pair<size_t, double>> mismatches_;
};

}  // namespace tarnvel
