// The route window 线路计算: the element table of a whole route with its joint
// check, a plan of the line, a stakeout by station and the inverse of a
// point list. Long tables run off the window's thread and can be cancelled.
#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "centre_line.h"
#include "file_refusal.h"
#include "plan_point_index.h"
#include "route.h"

namespace Ui {
class RouteWindow;
}

class QLabel;
class QProgressBar;
class QPushButton;

namespace tarnvel {

class BackgroundJob;
struct JobProgress;
class CurveTableModel;
class FileDialogs;
class InverseModel;
class MessageBoxes;
class RouteElementModel;
class StakeoutModel;

class RouteWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Puts the eight field texts into the main window's element fields.
  using SendElement = std::function<void(const std::array<QString, 8>&)>;
  // Asks whether to save unsaved changes: Save, Discard or Cancel.
  using AskToSave = std::function<QMessageBox::StandardButton(QWidget*, const QString&)>;

  // A window of its own even with a parent; closing it destroys it.
  RouteWindow(MessageBoxes& boxes, FileDialogs& dialogs, SendElement sendElement,
              QWidget* parent = nullptr);
  ~RouteWindow() override;

  // Replaced by tests, which cannot answer a modal question.
  void setAskToSave(AskToSave ask) { askToSave_ = std::move(ask); }
  // The long work of the window, for waiting on it.
  BackgroundJob& job() { return *job_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void importClicked();
  void jdClicked();
  void landXmlImportClicked();
  void landXmlExportClicked();
  void saveClicked();
  void sendClicked();
  void addRowClicked();
  void insertRowClicked();
  void deleteRowClicked();
  void tolerancesChanged();
  void routeChanged();

  void stakeoutClicked();
  void stationsClicked();
  void saveStakeoutClicked();
  void saveDatClicked();

  void pointsClicked();
  void pasteClicked();
  void saveInverseClicked();

  void fitClicked();
  void exportImageClicked();
  void cursorMoved(double X, double Y);

  void jobProgress(int permille);
  void jobFinished(bool completed);

 private:
  void connectControls();
  void refuse(const QString& message, QWidget* focus = nullptr);
  // The route to compute on, or nothing after telling the user why not.
  std::shared_ptr<const Route> routeForWork();
  // False when the user chose to keep the window as it is.
  bool settleUnsavedChanges(const QString& question);
  bool saveElements();
  // Shows a route that was read or made, its stations in the stakeout range.
  void showImportedRoute(const std::vector<RouteElement>& elements, const QString& path);
  QString chooseOpen(const QString& types);
  QString chooseSave(const QString& types);
  void runStakeout(std::shared_ptr<const Route> route, const QString& stationsPath);
  void runInverse(std::shared_ptr<const Route> route, const QString& sourceName,
                  const QByteArray& bytes);
  void startJob(std::function<void(JobProgress&)> work, std::function<void()> done);
  void saveInBackground(const QString& path, std::function<std::optional<FileRefusal>()> write);
  void showStakeoutPoints(PlanPointIndex points);
  void showInversePoints(PlanPointIndex points, std::vector<std::string> names);
  void showCellProblem(const QModelIndex& index);

  std::unique_ptr<Ui::RouteWindow> ui_;
  MessageBoxes& boxes_;
  FileDialogs& dialogs_;
  SendElement sendElement_;
  AskToSave askToSave_;
  RouteElementModel* elements_;
  StakeoutModel* stakeout_;
  InverseModel* inverse_;
  CurveTableModel* curves_;
  BackgroundJob* job_;
  QProgressBar* progress_;
  QPushButton* cancelButton_;
  QLabel* cursorLabel_;
  // The route the plan shows and the cursor is read against: the last one
  // the table made without a fault.
  std::shared_ptr<const Route> route_;
  QString lastPath_;  // offered by the next file dialog
};

}  // namespace tarnvel
