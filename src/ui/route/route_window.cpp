#include "ui/route/route_window.h"

#include <QAction>
#include <QBuffer>
#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QValidator>

#include "core/route/route_feet.h"
#include "core/text/number_text.h"
#include "core/text/offset_text.h"
#include "core/text/station_text.h"
#include "io/files/save_file.h"
#include "ui/common/background_job.h"
#include "ui/common/file_dialog.h"
#include "ui/common/form_geometry.h"
#include "ui/common/message_boxes.h"
#include "ui/common/out_of_memory.h"
#include "ui/route/curves/curves_page.h"
#include "ui/route/earthworks/earthworks_page.h"
#include "ui/route/equations/equations_page.h"
#include "ui/route/inverse/inverse_page.h"
#include "ui/route/profile/profile_page.h"
#include "ui/route/sections/sections_page.h"
#include "ui/route/slopes/slopes_page.h"
#include "ui/route/stakeout/stakeout_page.h"
#include "ui/tools/help_window.h"
#include "ui_route_window.h"

namespace tarnvel {

namespace {

const QString kPngFileTypes = QStringLiteral("PNG图片(*.png)");

QString Text(const std::string& text) {
  return QString::fromStdString(text);
}

// A prefix of K text is ASCII letters, as ReadStationText reads it back and
// instruments take it in a point name. A box left empty gets back the
// prefix in force.
class StationPrefixValidator : public QValidator {
 public:
  StationPrefixValidator(const QString& inForce, QObject* parent)
      : QValidator(parent), inForce_(inForce) {}
  State validate(QString& text, int&) const override {
    for (QChar c : text)
      if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) return Invalid;
    return text.isEmpty() ? Intermediate : Acceptable;
  }
  void fixup(QString& text) const override { text = inForce_; }

 private:
  const QString& inForce_;
};

}  // namespace

RouteWindow::RouteWindow(MessageBoxes& boxes, FileDialogs& dialogs, SendElement sendElement,
                         QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      ui_(std::make_unique<Ui::RouteWindow>()),
      boxes_(boxes),
      files_(dialogs),
      job_(new BackgroundJob(this)),
      elements_(new ElementsPage(*this, document_, std::move(sendElement))),
      stakeout_(new StakeoutPage(*this, document_)),
      inverse_(new InversePage(*this, document_)),
      curves_(new CurvesPage(*this, document_)),
      equations_(new EquationsPage(*this, document_)),
      profile_(new ProfilePage(document_, boxes, files_)),
      sections_(new SectionsPage(document_, boxes, files_)),
      slopes_(new SlopesPage(*this, document_)),
      earthworks_(new EarthworksPage(*this, document_)),
      progress_(new QProgressBar(this)),
      cancelButton_(new QPushButton(QStringLiteral("取消"), this)),
      planButton_(new QPushButton(QStringLiteral("隐藏平面图"), this)),
      cursorLabel_(new QLabel(this)) {
  ui_->setupUi(this);
  setAttribute(Qt::WA_DeleteOnClose);
  ui_->tabs->addTab(elements_, QStringLiteral("线元表"));
  ui_->tabs->addTab(stakeout_, QStringLiteral("逐桩坐标"));
  ui_->tabs->addTab(inverse_, QStringLiteral("批量反算"));
  ui_->tabs->addTab(curves_, QStringLiteral("曲线表"));
  ui_->tabs->addTab(profile_, QStringLiteral("纵断面"));
  ui_->tabs->addTab(equations_, QStringLiteral("断链"));
  ui_->tabs->addTab(sections_, QStringLiteral("横断面"));
  ui_->tabs->addTab(slopes_, QStringLiteral("边坡"));
  ui_->tabs->addTab(earthworks_, QStringLiteral("土方"));
  ui_->splitter->setStretchFactor(0, 1);
  ui_->splitter->setStretchFactor(1, 1);
  ui_->splitter->setSizes({800, 560});
  // Beside the tabs, so that it stays in sight with the plan collapsed.
  planButton_->setObjectName(QStringLiteral("planButton"));
  planButton_->setToolTip(QStringLiteral("收起平面图，让出的宽度给纵断面、横断面等页"));
  ui_->tabs->setCornerWidget(planButton_, Qt::TopRightCorner);

  progress_->setObjectName(QStringLiteral("jobProgress"));
  progress_->setRange(0, 1000);
  progress_->setMaximumWidth(200);
  cancelButton_->setObjectName(QStringLiteral("cancelButton"));
  cursorLabel_->setObjectName(QStringLiteral("cursorLabel"));
  statusBar()->addPermanentWidget(cursorLabel_);
  statusBar()->addPermanentWidget(progress_);
  statusBar()->addPermanentWidget(cancelButton_);
  progress_->hide();
  cancelButton_->hide();

  connectControls();
  FitFormToScreen(this);
  elements_->reportRoute();
}

// The job may still read the result rows, which go with the pages.
RouteWindow::~RouteWindow() {
  job_->cancel();
  job_->wait();
}

void RouteWindow::connectControls() {
  connect(&document_, &RouteDocument::replacingRoute, this, &RouteWindow::replacingRoute);
  // A route read or made is shown whole.
  connect(&document_, &RouteDocument::routeReplaced, ui_->planView, &RoutePlanView::fitAll);
  connect(&document_, &RouteDocument::routeChanged, this, &RouteWindow::routeChanged);
  connect(&document_, &RouteDocument::clearingRows, this, &RouteWindow::endJob);
  connect(elements_, &ElementsPage::curvesCleared, curves_, &CurvesPage::clear);
  // A route no longer made from the JD table no longer shows its polygon.
  connect(elements_, &ElementsPage::curvesCleared, this,
          [this] { ui_->planView->setJdPoints({}); });
  connect(elements_, &ElementsPage::jdPointsRead, this,
          [this](const std::vector<JdPoint>& points) { ui_->planView->setJdPoints(points); });
  connect(elements_, &ElementsPage::jdTableMade, this,
          [this](const JdTable& table, std::optional<double> startStation) {
            curves_->setJdTable(table.points, startStation);
            ui_->tabs->setCurrentWidget(curves_);
          });
  // The JD table edited: the element table and the plan follow it.
  connect(curves_, &CurvesPage::jdRouteEdited, this,
          [this](const std::vector<RouteElement>& elements, const std::vector<JdPoint>& points) {
            if (elements_->showJdElements(elements)) ui_->planView->setJdPoints(points);
          });

  const auto guarded = [this](void (RouteWindow::*handler)()) {
    return [this, handler] { runHandler([&] { (this->*handler)(); }); };
  };
  connect(ui_->fitButton, &QPushButton::clicked, this, guarded(&RouteWindow::fitClicked));
  connect(ui_->exportImageButton, &QPushButton::clicked, this,
          guarded(&RouteWindow::exportImageClicked));
  connect(ui_->helpAction, &QAction::triggered, this, guarded(&RouteWindow::showHelp));
  connect(ui_->showStakeoutCheck, &QCheckBox::toggled, this, [this](bool shown) {
    ui_->planView->setLayerVisible(RoutePlanView::Layer::Stakeout, shown);
  });
  connect(ui_->showInverseCheck, &QCheckBox::toggled, this, [this](bool shown) {
    ui_->planView->setLayerVisible(RoutePlanView::Layer::Inverse, shown);
  });
  connect(ui_->planView, &RoutePlanView::cursorMoved, this, &RouteWindow::cursorMoved);
  connect(planButton_, &QPushButton::clicked, this, &RouteWindow::planToggled);
  connect(ui_->splitter, &QSplitter::splitterMoved, this, &RouteWindow::planPaneMoved);
  ui_->stationPrefixEdit->setValidator(new StationPrefixValidator(document_.stationPrefix(), this));
  connect(ui_->stationPrefixEdit, &QLineEdit::textEdited, this, &RouteWindow::stationPrefixEdited);
  connect(profile_, &ProfilePage::status, cursorLabel_, &QLabel::setText);
  // Every station shown follows the prefix, the plan's and the cursor's
  // after the pages'.
  connect(&document_, &RouteDocument::stationPrefixChanged, ui_->planView,
          &RoutePlanView::setStationPrefix);
  connect(&document_, &RouteDocument::stationPrefixChanged, this, [this] {
    if (cursor_) cursorMoved(cursor_->X, cursor_->Y);
  });
  // A point chosen in 批量反算 is seen on the section at its station.
  connect(inverse_, &InversePage::pointChosen, this, [this](const SectionPoint& point) {
    if (!document_.sections()) return refuse(QStringLiteral("请先在“横断面”页输入横断面表！"));
    sections_->showPoint(point);
    ui_->tabs->setCurrentWidget(sections_);
  });

  connect(cancelButton_, &QPushButton::clicked, job_, &BackgroundJob::cancel);
  connect(job_, &BackgroundJob::progressChanged, this, &RouteWindow::jobProgress);
  connect(job_, &BackgroundJob::finished, this, &RouteWindow::jobFinished);
  connect(job_, &BackgroundJob::outOfMemory, this, [this] { ShowOutOfMemory(boxes_, this); });
}

// Every handler runs inside CatchOutOfMemory, as the main window's do.
void RouteWindow::runHandler(const std::function<void()>& handler) {
  CatchOutOfMemory(boxes_, this, handler);
}

void RouteWindow::refuse(const QString& message, QWidget* focus) {
  boxes_.show(this, message, MessageIcon::Exclamation, kMessageCaption);
  if (focus) focus->setFocus(Qt::OtherFocusReason);
}

QString RouteWindow::chooseOpen(const QString& purpose, const QString& types) {
  return files_.open(this, purpose, types);
}

QString RouteWindow::chooseSave(const QString& purpose, const QString& types, QString* chosenType) {
  return files_.save(this, purpose, types, chosenType);
}

void RouteWindow::showStatus(const QString& message, int timeout) {
  statusBar()->showMessage(message, timeout);
}

RoutePlanView& RouteWindow::plan() {
  return *ui_->planView;
}

// ---- The route the pages share ------------------------------------------------

// The results of a job still running belong to the old route too; the
// document clears the rows shown.
void RouteWindow::replacingRoute() {
  job_->cancel();
  cursorLabel_->clear();
  cursor_.reset();
}

void RouteWindow::endJob() {
  if (job_->isRunning()) {
    job_->cancel();
    job_->wait();
  }
}

// The plan keeps the last good route while a cell is being corrected, and
// the route with it, which it draws its station marks from again when the
// prefix changes.
void RouteWindow::routeChanged() {
  if (!document_.route()) return;
  planRoute_ = document_.route();
  ui_->planView->setRoute(planRoute_.get(), document_.joints());
}

bool RouteWindow::refusedWithoutRoute() {
  if (!document_.route()) {
    ui_->tabs->setCurrentWidget(elements_);
    elements_->refuseWithoutRoute();
    return true;
  }
  return refusedWhileWorking();
}

bool RouteWindow::refusedWhileWorking() {
  if (!job_->isRunning()) return false;
  refuse(QStringLiteral("正在计算，请等待完成或点击“取消”！"));
  return true;
}

// A million rows take seconds to write, so a save runs as a job too. The
// rows it writes stay as they are meanwhile: only a finished job replaces
// them, and one job runs at a time. A save can be cancelled only until it
// starts; once started it finishes and says so, and its write is all or
// nothing.
void RouteWindow::saveInBackground(const QString& path,
                                   std::function<std::optional<FileRefusal>()> write) {
  auto refusal = std::make_shared<std::optional<FileRefusal>>();
  startJob(
      [write = std::move(write), refusal](JobProgress& progress) {
        if (progress.commit()) *refusal = write();
      },
      [this, refusal, path] {
        if (*refusal) return refuse((*refusal)->message);
        statusBar()->showMessage(QStringLiteral("已保存“%1”").arg(FileNameForMessage(path)), 5000);
      });
}

// ---- The plan --------------------------------------------------------------------

void RouteWindow::fitClicked() {
  ui_->planView->fitAll();
}

void RouteWindow::exportImageClicked() {
  const QString path = files_.save(this, QStringLiteral("plan image"), kPngFileTypes);
  if (path.isEmpty()) return;
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!ui_->planView->image().save(&buffer, "PNG"))
    return refuse(CannotSave(path, QStringLiteral("无法生成PNG图片")).message);
  if (auto refusal = SaveFileBytes(path, bytes)) return refuse(refusal->message);
  statusBar()->showMessage(QStringLiteral("已保存“%1”").arg(FileNameForMessage(path)), 5000);
}

void RouteWindow::planToggled() {
  const QList<int> sizes = ui_->splitter->sizes();
  const int whole = sizes[0] + sizes[1];
  if (sizes[1] > 0) {
    planWidth_ = sizes[1];
    ui_->splitter->setSizes({whole, 0});
  } else {
    const int width = planWidth_ > 0 ? planWidth_ : whole * 2 / 5;
    ui_->splitter->setSizes({whole - width, width});
  }
  planPaneMoved();
}

// The plan dragged shut says so on the button too.
void RouteWindow::planPaneMoved() {
  const bool shown = ui_->splitter->sizes()[1] > 0;
  planButton_->setText(shown ? QStringLiteral("隐藏平面图") : QStringLiteral("显示平面图"));
}

// Every station shown follows the prefix at once; a box being emptied to
// type another keeps the one in force meanwhile.
void RouteWindow::stationPrefixEdited(const QString& prefix) {
  if (!prefix.isEmpty()) document_.setStationPrefix(prefix);
}

// One guide at a time: asked again, the open one comes to the front.
void RouteWindow::showHelp() {
  if (!help_) help_ = new HelpWindow(this);
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void RouteWindow::cursorMoved(double X, double Y) {
  cursor_ = Point{X, Y};
  QString text = QStringLiteral("X=%1  Y=%2").arg(Text(FixedText(X, 3)), Text(FixedText(Y, 3)));
  if (const auto& route = document_.route()) {
    // Every foot within any distance: the nearest comes first.
    const auto feet = RouteFeet(*route, {X, Y}, 1e9);
    if (!feet.empty()) sections_->followStation(feet.front().station);
    if (!feet.empty())
      text +=
          QStringLiteral("  桩号 %1  偏距 %2  线元 %3")
              .arg(
                  Text(KStationText(feet.front().station, document_.stationPrefix().toStdString())),
                  Text(SidedOffsetText(feet.front().offset, 3)))
              .arg(feet.front().element);
  }
  cursorLabel_->setText(text);
}

// ---- Long work --------------------------------------------------------------------

// What a job hands back is taken in inside CatchOutOfMemory too.
void RouteWindow::startJob(std::function<void(JobProgress&)> work, std::function<void()> done,
                           std::function<void()> unfinished) {
  const auto guarded = [this](std::function<void()> then) -> std::function<void()> {
    if (!then) return {};
    return [this, then = std::move(then)] { CatchOutOfMemory(boxes_, this, then); };
  };
  job_->start(std::move(work), guarded(std::move(done)), guarded(std::move(unfinished)));
}

void RouteWindow::jobProgress(int permille) {
  progress_->show();
  cancelButton_->show();
  if (permille < 0) {
    progress_->setRange(0, 0);  // busy, total unknown
  } else {
    progress_->setRange(0, 1000);
    progress_->setValue(permille);
  }
}

void RouteWindow::jobFinished(bool completed) {
  progress_->hide();
  cancelButton_->hide();
  if (!completed) statusBar()->showMessage(QStringLiteral("计算已取消，结果未改变"), 5000);
}

void RouteWindow::closeEvent(QCloseEvent* event) {
  if (!elements_->settleUnsavedChanges(QStringLiteral("线元表已修改，关闭前是否保存？"))) {
    event->ignore();
    return;
  }
  job_->cancel();
  job_->wait();
  event->accept();
}

}  // namespace tarnvel
