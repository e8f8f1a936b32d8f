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
#include "io/files/gbk_text.h"
#include "test_files.h"
#include "ui/common/background_job.h"
#include "ui/route/common/route_result_models.h"
#include "ui/route/elements/route_element_model.h"
#include "ui/route/profile/profile_page.h"
#include "ui/route/route_window.h"
#include "ui/route/sections/sections_page.h"
#include "ui/route/slopes/slopes_page.h"
#include "window_test_support.h"

namespace tarnvel::testing_support {

// The road of tests/ui/route/data, K1+000 to K1+980.
inline const QString kRoad = QStringLiteral(ROUTE_WINDOW_DATA "/route_window_road.txt");

// Earthworks on the road's straight start, every figure worked by hand: a
// level profile at 100.000 and a level road 5 m wide each side, so that
// each hinge is at offset ±5, elevation 100.000; ground rising 1 in 4 to
// the right (97.500 at -10, 101.250 at +5), surveyed at K1+100 and K1+140;
// a fill of 1:2 on the left, and on the right a cut with a ditch 0.6 deep
// and 0.6 wide with sides of 1:1, a first step of 1:1 rising 1 m to a berm
// 2 m wide, then 1:1.5. The slope file is GBK with CR LF, as it is saved.
inline const QByteArray kLevelProfile("BP,1000,100\nEP,1980,100\n");
inline const QByteArray kLevelRoad(
    "桩号,左行车道宽,左行车道坡,右行车道宽,右行车道坡\n"
    "K1+000,5,0,5,0\n");
inline const QByteArray kRisingGround(
    "BEGIN,K1+100\n-30,92.5\n30,107.5\nBEGIN,K1+140\n-30,92.5\n30,107.5\n");
inline const QString kFillAndCut = QStringLiteral(
    "桩号,侧,填挖,边沟底宽,边沟深,边沟内坡,边沟外坡,坡率1,坡高1,平台1,坡率2\r\n"
    "K1+000,左,填,,,,,2\r\n"
    "K1+000,右,挖,0.6,0.6,1,1,1,1,2,1.5\r\n");

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
  template <class T>
  T* page() {
    return window_->findChild<T*>();
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
  // The road imported, and the profile, the sections, the ground and the
  // slopes above; false when any is refused.
  [[nodiscard]] bool loadEarthworks() {
    import(kRoad);
    return page<ProfilePage>()->importProfile(write("p.csv", kLevelProfile)) &&
           page<SectionsPage>()->importSections(write("s.csv", kLevelRoad)) &&
           page<SlopesPage>()->importGround(write("g.txt", kRisingGround)) &&
           page<SlopesPage>()->importSlopes(write("b.csv", slopeFileBytes()));
  }
  static QByteArray slopeFileBytes() { return *EncodeGbk(kFillAndCut); }

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
