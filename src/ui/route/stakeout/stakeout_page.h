// The route window's page 逐桩坐标: a stakeout by station range or by a
// stations file, saved as CSV or as a survey point file, printed or saved as
// a PDF.
#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

#include "core/route/route.h"
#include "core/route/stake_row.h"
#include "ui/route/common/table_printing.h"
#include "ui/route/plan/plan_point_index.h"

namespace Ui {
class StakeoutPage;
}

namespace tarnvel {

class RouteDocument;
class RoutePageHost;
class StakeoutModel;
struct StakeoutInputs;
struct StakeoutOutput;

class StakeoutPage : public QWidget {
  Q_OBJECT

 public:
  // The page computes with what `document` holds, which clears its rows.
  StakeoutPage(RoutePageHost& host, RouteDocument& document, QWidget* parent = nullptr);
  ~StakeoutPage() override;

  // The rows go, and their points on the plan with them.
  void clearRows();
  // Replaced by tests, which cannot answer a modal dialog.
  void setPrintPreview(PrintPreview preview) { printPreview_ = std::move(preview); }

 private:
  // What the rows shown, or let go by a stakeout running, were computed
  // with (RouteDocument::Input).
  unsigned rowInputs() const;
  // A new route's stakeout runs over the whole of it.
  void setRange();
  // True while the catch points can be computed: with 边桩 and all they
  // are computed from in the document.
  bool catchPointsAvailable() const;
  // 坡脚坡口 may be ticked only then, and 含变坡点 only with it.
  void enableCatchPoints();
  void stakeoutClicked();
  void stationsClicked();
  void saveStakeoutClicked();
  void saveDatClicked();
  void exportPdfClicked();
  void printClicked();
  TableDocument document() const;
  void runStakeout(std::shared_ptr<const Route> route, const QString& stationsPath);
  void showStakeoutPoints(PlanPointIndex points);
  // Takes the rows and their points off the table and the plan.
  std::vector<StakeRow> releaseRows();
  void showRows(std::shared_ptr<const StakeoutInputs> inputs, StakeoutOutput output);
  void takeBack(const std::shared_ptr<const StakeoutInputs>& released,
                std::optional<StakeoutOutput>& remade);

  std::unique_ptr<Ui::StakeoutPage> ui_;
  RoutePageHost& host_;
  RouteDocument& document_;
  StakeoutModel* stakeout_;
  // What the rows shown were computed from; and, while a stakeout runs,
  // what the rows it let go were computed from, to make them again.
  std::shared_ptr<const StakeoutInputs> shown_, released_;
  PrintPreview printPreview_ = ShowPrintPreview;
};

}  // namespace tarnvel
