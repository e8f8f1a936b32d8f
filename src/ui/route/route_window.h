// The route window 线路计算: the element table of a whole route with its joint
// check, a plan of the line, a stakeout by station and the inverse of a
// point list, one page each, and the curve table of a JD table. The window
// joins the pages: it holds the document they compute with, the plan, the
// status bar and the one background job that long tables run as, which can
// be cancelled.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>

#include "ui/common/file_dialog.h"
#include "ui/route/common/route_document.h"
#include "ui/route/common/route_page_host.h"
#include "ui/route/elements/elements_page.h"

namespace Ui {
class RouteWindow;
}

class QLabel;
class QProgressBar;
class QPushButton;

namespace tarnvel {

class BackgroundJob;
class CurvesPage;
class EarthworksPage;
class EquationsPage;
class HelpWindow;
class InversePage;
class ProfilePage;
class SectionsPage;
class SlopesPage;
class MessageBoxes;
class StakeoutPage;

class RouteWindow : public QMainWindow, private RoutePageHost {
  Q_OBJECT

 public:
  using SendElement = ElementsPage::SendElement;
  using AskToSave = ElementsPage::AskToSave;

  // A window of its own even with a parent; closing it destroys it.
  RouteWindow(MessageBoxes& boxes, FileDialogs& dialogs, SendElement sendElement,
              QWidget* parent = nullptr);
  ~RouteWindow() override;

  // Replaced by tests, which cannot answer a modal question.
  void setAskToSave(AskToSave ask) { elements_->setAskToSave(std::move(ask)); }
  // The long work of the window, for waiting on it.
  BackgroundJob& job() { return *job_; }
  // What the pages compute with, for watching what it clears.
  RouteDocument& document() { return document_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private slots:
  void fitClicked();
  void exportImageClicked();
  void showHelp();  // 联机帮助
  void cursorMoved(double X, double Y);
  void stationPrefixEdited(const QString& prefix);
  // The plan collapsed, its side going to the tabs and their drawings, or
  // given back the width it had.
  void planToggled();
  void planPaneMoved();

  void jobProgress(int permille);
  void jobFinished(bool completed);

 private:
  void connectControls();
  void replacingRoute();
  // A job that may be giving rows about to go ends first; a save that has
  // begun writes its file.
  void endJob();
  void routeChanged();

  // RoutePageHost
  void runHandler(const std::function<void()>& handler) override;
  void refuse(const QString& message, QWidget* focus = nullptr) override;
  QString chooseOpen(const QString& purpose, const QString& types) override;
  QString chooseSave(const QString& purpose, const QString& types, QString* chosenType) override;
  void showStatus(const QString& message, int timeout = 0) override;
  bool refusedWithoutRoute() override;
  bool refusedWhileWorking() override;
  void startJob(std::function<void(JobProgress&)> work, std::function<void()> done,
                std::function<void()> unfinished = {}) override;
  void saveInBackground(const QString& path,
                        std::function<std::optional<FileRefusal>()> write) override;
  RoutePlanView& plan() override;

  std::unique_ptr<Ui::RouteWindow> ui_;
  MessageBoxes& boxes_;
  WindowFileDialogs files_;
  BackgroundJob* job_;
  // Before the pages, which hold on to it.
  RouteDocument document_;
  ElementsPage* elements_;
  StakeoutPage* stakeout_;
  InversePage* inverse_;
  CurvesPage* curves_;
  EquationsPage* equations_;
  ProfilePage* profile_;
  SectionsPage* sections_;
  SlopesPage* slopes_;
  EarthworksPage* earthworks_;
  QProgressBar* progress_;
  QPushButton* cancelButton_;
  QPushButton* planButton_;
  QLabel* cursorLabel_;
  // The plan's width before it was collapsed.
  int planWidth_ = 0;
  QPointer<HelpWindow> help_;  // while open
  // The route the plan shows: the last one the table made without a fault,
  // kept while a cell is being corrected.
  std::shared_ptr<const Route> planRoute_;
  // Where the cursor last was, for the readout to follow a new prefix.
  std::optional<Point> cursor_;
};

}  // namespace tarnvel
