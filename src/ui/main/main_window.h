// The main window 测量工程: the element, the inputs and results of the three
// computations, the mode switches that choose which of them are shown, and
// the menu bar.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>

#include "core/text/refusal.h"

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

  // The four modes: 线元正算 and 线元反算 (Option1, Option2), and within
  // 线元正算 单点正算 and 连续正算 (OptionButton1, OptionButton2).
  enum class Mode { Forward, Inverse, SinglePoint, Continuous };

 private slots:
  // The mode switches; each runs when its option button becomes selected.
  void showForwardMode() { showMode(Mode::Forward); }
  void showInverseMode() { showMode(Mode::Inverse); }
  void showSinglePointMode() { showMode(Mode::SinglePoint); }
  void showContinuousMode() { showMode(Mode::Continuous); }

  void computeForward();  // Command2 点击正算: one point
  void computeInverse();  // Command4 点击反算
  void computeTable();    // Command6 点击正算: the continuous table
  void clearElement();    // Command3 清空数据: the eight element fields
  void saveTable();       // Command7 保存数据

  void importElement();          // Open
  void exportElement();          // Export
  void closeAll();               // Exit
  void showAzimuthWindow();      // FWJ
  void showAngleRadianWindow();  // Red
  void showRouteWindow();        // Route 线路计算
  void startTextEditor();        // Notepad
  void startCalculator();        // Calc
  void showHelp();               // LianBang 联机帮助
  void showAbout();              // About

 private:
  // Shows, hides, enables and clears the controls as the mode has them.
  void showMode(Mode mode);
  void connectControls();
  // A program that could not be started is told about and then left alone.
  void reportStartFailure(const QString& what, const QString& why);
  FileCommandControls fileControls() const;
  // The box that holds a field of the computations; null for a field of a
  // tool window.
  QWidget* fieldBox(Field field) const;

  std::unique_ptr<Ui::MainWindow> ui_;
  MessageBoxes& boxes_;
  Platform& platform_;
  FileDialogs& fileDialogs_;  // the route window's own, apart from CDg1
  SharedFileDialog* CDg1_;    // the one file dialog, shared by Open, Export and Command7

  // Each tool window exists at most once; these fall back to null when the
  // user closes it.
  QPointer<AzimuthWindow> azimuthWindow_;
  QPointer<AngleRadianWindow> angleRadianWindow_;
  QPointer<RouteWindow> routeWindow_;
  QPointer<AboutWindow> aboutWindow_;
};

}  // namespace tarnvel
