// The main window 测量工程: the element, the inputs and results of the three
// computations, the mode switches that choose which of them are shown, and
// the menu bar.
#pragma once

#include <QMainWindow>
#include <QString>
#include <memory>

namespace Ui {
class MainWindow;
}

namespace tarnvel {

class MessageBoxes;
class Platform;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(MessageBoxes& boxes, Platform& platform, QWidget* parent = nullptr);
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
  void notepadTriggered();
  void calcTriggered();
  void lianBangTriggered();
  void aboutTriggered();

 private:
  void connectControls();
  // A program that could not be started is told about and then left alone.
  void reportStartFailure(const QString& what, const QString& why);

  std::unique_ptr<Ui::MainWindow> ui_;
  MessageBoxes& boxes_;
  Platform& platform_;
};

}  // namespace tarnvel
