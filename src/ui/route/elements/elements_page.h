// The route window's page 线元表: the element table with its joint check, and
// the route read from a route file, a JD table or LandXML, or saved; the
// joint report printed or saved as a PDF.
#pragma once

#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/route/route.h"
#include "core/route/route_joints.h"
#include "io/route/jd_file.h"
#include "ui/route/common/route_result_models.h"
#include "ui/route/common/table_printing.h"
#include "ui/route/elements/route_element_model.h"

namespace Ui {
class ElementsPage;
}

namespace tarnvel {

class RouteDocument;
class RoutePageHost;

class ElementsPage : public QWidget {
  Q_OBJECT

 public:
  // Puts the eight field texts into the main window's element fields.
  using SendElement = std::function<void(const std::array<QString, 8>&)>;
  // Asks whether to save unsaved changes: Save, Discard or Cancel.
  using AskToSave = std::function<QMessageBox::StandardButton(QWidget*, const QString&)>;

  // The page reads the route, its 断链 and tolerances into `document`.
  ElementsPage(RoutePageHost& host, RouteDocument& document, SendElement sendElement,
               QWidget* parent = nullptr);
  ~ElementsPage() override;

  void setAskToSave(AskToSave ask) { askToSave_ = std::move(ask); }
  // Replaced by tests, which cannot answer a modal dialog.
  void setPrintPreview(PrintPreview preview) { printPreview_ = std::move(preview); }
  // False when the user chose to keep the table as it is.
  bool settleUnsavedChanges(const QString& question);
  // Tells the user why there is no route to compute on.
  void refuseWithoutRoute();
  // Hands on the route the table makes now and shows its state.
  void reportRoute();
  // The elements of the JD table as edited take the table's place; they
  // are in no file of their own yet. A table changed since the JD table
  // last made it is the user's own work: it is replaced only once the user
  // saved it or let it go; false when the user chose to keep it.
  bool showJdElements(const std::vector<RouteElement>& elements);

 signals:
  // A JD table made the route, from BP at `startStation` when given (else
  // at BP's 交点桩号, or 0). Any other route has no JD table.
  void jdTableMade(const JdTable& table, std::optional<double> startStation);
  void curvesCleared();
  // The JD table the elements were just made from, for the plan to draw.
  void jdPointsRead(const std::vector<JdPoint>& points);

 private:
  void importClicked();
  void jdClicked();
  void landXmlImportClicked();
  void landXmlExportClicked();
  void saveClicked();
  void sendClicked();
  void exportPdfClicked();
  void printClicked();
  std::optional<TableDocument> jointReport();
  void addRowClicked();
  void insertRowClicked();
  void deleteRowClicked();
  void tolerancesChanged();
  void showCellProblem(const QModelIndex& index);
  bool saveElements();
  void showImportedRoute(const std::vector<RouteElement>& elements, const QString& path,
                         const std::vector<StationEquation>& equations);

  std::unique_ptr<Ui::ElementsPage> ui_;
  RoutePageHost& host_;
  RouteDocument& document_;
  SendElement sendElement_;
  AskToSave askToSave_;
  PrintPreview printPreview_ = ShowPrintPreview;
  RouteElementModel* elements_;
  // The rows as the JD table last made them, to tell them from rows the user
  // changed since.
  std::vector<QStringList> jdMade_;
};

}  // namespace tarnvel
