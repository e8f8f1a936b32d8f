// The main window 测量工程: the element, the inputs and results of the three
// computations, the mode switches that choose which of them are shown, and
// the menu bar.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>

namespace Ui {
class MainWindow;
}

namespace tarnvel {

class AboutWindow;
class AngleRadianWindow;
class AzimuthWindow;
class FileDialogs;
class MessageBoxes;
class Platform;
class RouteWindow;
class SharedFileDialog;
struct FileCommandControls;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(MessageBoxes& boxes, Platform& platform, FileDialogs& fileDialogs,
             QWidget* parent = nullptr);
  ~MainWindow() override;

  // The text of the results box Text12 as the table file takes it: the
  // table with the user's edits, every line ended by CR LF.
  QString resultsText() const;

 private slots:
  // The mode switches; each runs when its option button becomes selected.
  void option1Clicked();
  void option2Clicked();
  void optionButton1Clicked();
  void optionButton2Clicked();

  void command2Clicked();  // forward computation of one point
  void command4Clicked();  // inverse computation
  void command6Clicked();  // continuous table
  void command3Clicked();  // clear the element fields
  void command7Clicked();  // save the table

  void openTriggered();
  void exportTriggered();
  void exitTriggered();
  void fwjTriggered();
  void redTriggered();
  void routeTriggered();
  void notepadTriggered();
  void calcTriggered();
  void lianBangTriggered();
  void aboutTriggered();

 private:
  void connectControls();
  // A program that could not be started is told about and then left alone.
  void reportStartFailure(const QString& what, const QString& why);
  FileCommandControls fileControls() const;

  std::unique_ptr<Ui::MainWindow> ui_;
  MessageBoxes& boxes_;
  Platform& platform_;
  FileDialogs& fileDialogs_;  // the route window's own, apart from CDg1
  SharedFileDialog* CDg1_;  // the one file dialog, shared by Open, Export and Command7

  // Each tool window exists at most once; these fall back to null when the
  // user closes it.
  QPointer<AzimuthWindow> azimuthWindow_;
  QPointer<AngleRadianWindow> angleRadianWindow_;
  QPointer<RouteWindow> routeWindow_;
  QPointer<AboutWindow> aboutWindow_;
};

}  // namespace tarnvel
