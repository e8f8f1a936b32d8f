// The route window as its tests open and drive it: a fresh window for each
// test, its dialogs answered and its messages kept by the fakes, a scratch
// folder for the files it reads and writes, and its jobs waited for.
#pragma once

#include <QObject>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <vector>

#include "fakes.h"
#include "test_files.h"
#include "ui/common/background_job.h"
#include "ui/route/common/route_result_models.h"
#include "ui/route/elements/route_element_model.h"
#include "ui/route/route_window.h"
#include "window_test_support.h"

namespace tarnvel::testing_support {

// The road of tests/ui/route/data, K1+000 to K1+980.
inline const QString kRoad = QStringLiteral(ROUTE_WINDOW_DATA "/route_window_road.txt");

// A test class's base: its init() opens the window, its cleanup() closes it.
class RouteWindowFixture : public QObject {
 protected:
  void openWindow(RouteWindow::SendElement send = [](const std::array<QString, 8>&) {}) {
    boxes_ = FakeMessageBoxes();
    dialogs_ = FakeFileDialogs();
    window_ = new RouteWindow(boxes_, dialogs_, std::move(send));
  }
  // Shown offscreen at the size, for the tests that read its layout.
  [[nodiscard]] bool showWindow(int width, int height) {
    window_->resize(width, height);
    window_->show();
    return QTest::qWaitForWindowExposed(window_);
  }
  // A job still running would hand its rows to a window deleted under it.
  void closeWindow() {
    waitForJob();
    delete window_;
  }

  void waitForJob() { window_->job().wait(); }
  // Clicks a button that may start a job, and waits for the job to end.
  void runJob(const char* button) {
    Click(window_, button);
    waitForJob();
  }
  void import(const QString& path) {
    dialogs_.answers << path;
    Click(window_, "importButton");
  }
  // A file in the scratch folder, written whole; its path.
  QString write(const QString& name, const QByteArray& bytes) {
    return WriteBytes(dir_.filePath(name), bytes);
  }

  template <class T>
  T* child(const char* name) {
    auto* found = window_->findChild<T*>(QString::fromLatin1(name));
    if (!found) qFatal("no %s", name);
    return found;
  }
  RouteElementModel* elements() {
    return qobject_cast<RouteElementModel*>(child<QTableView>("elementTable")->model());
  }
  const std::vector<StakeRow>& stakeoutRows() {
    return qobject_cast<StakeoutModel*>(child<QTableView>("stakeoutTable")->model())->rows();
  }
  // The stakeout of a range, made whole.
  const std::vector<StakeRow>& stakeOutRange(const QString& from, const QString& to,
                                             const QString& step, const QString& offsets) {
    Box(window_, "fromEdit")->setText(from);
    Box(window_, "toEdit")->setText(to);
    Box(window_, "stepEdit")->setText(step);
    Box(window_, "offsetsEdit")->setText(offsets);
    runJob("stakeoutButton");
    return stakeoutRows();
  }
  // The first message the window showed, or none.
  QString firstMessage() const {
    return boxes_.shown.isEmpty() ? QString() : boxes_.shown.front().text;
  }

  FakeMessageBoxes boxes_;
  FakeFileDialogs dialogs_;
  RouteWindow* window_ = nullptr;
  QTemporaryDir dir_;
};

}  // namespace tarnvel::testing_support
