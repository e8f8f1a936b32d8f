#include "ui/route/profile/profile_page.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QShortcut>
#include <algorithm>
#include <variant>

#include "core/text/number_text.h"
#include "core/text/station_text.h"
#include "io/profile/profile_file.h"
#include "io/profile/profile_source.h"
#include "ui/common/file_dialog.h"
#include "ui/common/flow_layout.h"
#include "ui/common/message_boxes.h"
#include "ui/route/common/route_document.h"
#include "ui/route/profile/profile_ground.h"
#include "ui/route/profile/profile_pvi_model.h"
#include "ui/route/profile/vertical_curve_model.h"
#include "ui_profile_page.h"

namespace tarnvel {

namespace {

const QString kProfileFileTypes = QStringLiteral("变坡点表(*.csv *.txt);;所有文件(*.*)");
// A profile is read from the 变坡点表 or from a LandXML file's first
// alignment, as the command's --profile reads it.
const QString kProfileOpenTypes =
    QStringLiteral("变坡点表(*.csv *.txt);;LandXML文件(*.xml);;所有文件(*.*)");

}  // namespace

ProfilePage::ProfilePage(RouteDocument& document, MessageBoxes& boxes, WindowFileDialogs& files,
                         QWidget* parent)
    : QWidget(parent),
      ui_(std::make_unique<Ui::ProfilePage>()),
      document_(document),
      boxes_(boxes),
      files_(files),
      pvis_(new ProfilePviModel(this)),
      curves_(new VerticalCurveModel(this)) {
  ui_->setupUi(this);
  // The drawing takes the room the window gives the page, and the PVIs'
  // pane can be narrowed for it, its buttons wrapping.
  FlowInstead(*ui_->pviLayout, *ui_->pviButtons);
  ui_->pageSplitter->setStretchFactor(0, 0);
  ui_->pageSplitter->setStretchFactor(1, 1);
  ui_->drawingSplitter->setStretchFactor(0, 1);
  ui_->drawingSplitter->setStretchFactor(1, 0);
  ui_->pviTable->setModel(pvis_);
  ui_->verticalCurveTable->setModel(curves_);
  connect(ui_->importProfileButton, &QPushButton::clicked, this, &ProfilePage::chooseAndImport);
  connect(ui_->saveProfileButton, &QPushButton::clicked, this, &ProfilePage::chooseAndSave);
  connect(ui_->insertPviButton, &QPushButton::clicked, this, &ProfilePage::insertPvi);
  connect(ui_->removePviButton, &QPushButton::clicked, this, &ProfilePage::removePvi);
  connect(ui_->pastePvisButton, &QPushButton::clicked, this, &ProfilePage::pastePvis);
  // Ctrl+V in the table pastes cells as a spreadsheet copies them.
  auto* paste = new QShortcut(QKeySequence::Paste, ui_->pviTable, nullptr, nullptr,
                              Qt::WidgetWithChildrenShortcut);
  connect(paste, &QShortcut::activated, this, &ProfilePage::pastePvis);
  connect(ui_->exaggerationBox, &QDoubleSpinBox::valueChanged, ui_->profileView,
          &ProfileView::setExaggeration);
  // What the rows make is the window's profile; the page shows it as the
  // document holds it.
  connect(pvis_, &ProfilePviModel::rowsRead, this, &ProfilePage::handOverProfile);
  connect(&document_, &RouteDocument::profileChanged, this, &ProfilePage::showProfile);
  for (auto changed : {&RouteDocument::groundChanged, &RouteDocument::routeChanged})
    connect(&document_, changed, this, &ProfilePage::showGround);
  connect(&document_, &RouteDocument::stationPrefixChanged, this, &ProfilePage::setStationPrefix);
  connect(ui_->profileView, &ProfileView::cursorMoved, this, [this](double station, double h) {
    emit status(QStringLiteral("桩号 %1  设计高程 %2")
                    .arg(QString::fromStdString(
                             KStationText(station, document_.stationPrefix().toStdString())),
                         QString::fromStdString(FixedText(h, 3))));
  });
  ui_->profileView->setExaggeration(ui_->exaggerationBox->value());
  handOverProfile();
}

ProfilePage::~ProfilePage() = default;

const VerticalProfile* ProfilePage::profile() const {
  return document_.profile().get();
}

bool ProfilePage::importProfile(const QString& path) {
  auto read = LoadProfile(path);
  if (auto* refusal = std::get_if<FileRefusal>(&read)) {
    boxes_.show(this, refusal->message, MessageIcon::Exclamation, kMessageCaption);
    return false;
  }
  pvis_->setProfile(std::get<VerticalProfile>(read));
  ui_->pviTable->resizeColumnsToContents();
  return true;
}

void ProfilePage::setStationPrefix(const QString& prefix) {
  pvis_->setStationPrefix(prefix);
  curves_->setStationPrefix(prefix);
  ui_->profileView->setStationPrefix(prefix);
}

void ProfilePage::chooseAndImport() {
  const QString path = files_.open(this, QStringLiteral("profile"), kProfileOpenTypes);
  if (!path.isEmpty()) importProfile(path);
}

void ProfilePage::chooseAndSave() {
  if (!document_.profile()) {
    boxes_.show(
        this,
        pvis_->problem().isEmpty() ? QStringLiteral("纵断面中没有变坡点！") : pvis_->problem(),
        MessageIcon::Exclamation, kMessageCaption);
    return;
  }
  const QString path = files_.save(this, QStringLiteral("profile"), kProfileFileTypes);
  if (path.isEmpty()) return;
  if (const auto refusal = SaveProfileFile(path, document_.profile()->pvis))
    boxes_.show(this, refusal->message, MessageIcon::Exclamation, kMessageCaption);
}

void ProfilePage::insertPvi() {
  const QModelIndex current = ui_->pviTable->currentIndex();
  const int row = current.isValid() ? current.row() + 1 : pvis_->rowCount();
  pvis_->insertRows(row, 1);
  ui_->pviTable->setCurrentIndex(pvis_->index(row, 0));
}

void ProfilePage::removePvi() {
  const QModelIndex current = ui_->pviTable->currentIndex();
  if (current.isValid()) pvis_->removeRows(current.row(), 1);
}

// At the current cell, or at the table's first when none is current.
void ProfilePage::pastePvis() {
  const QString text = QGuiApplication::clipboard()->text();
  if (text.trimmed().isEmpty()) {
    boxes_.show(this, QStringLiteral("剪贴板中没有可粘贴的变坡点！"), MessageIcon::Exclamation,
                kMessageCaption);
    return;
  }
  const QModelIndex current = ui_->pviTable->currentIndex();
  pvis_->paste(std::max(current.row(), 0), std::max(current.column(), 0), text);
}

void ProfilePage::handOverProfile() {
  const auto& profile = pvis_->profile();
  document_.setProfile(profile ? std::make_shared<const VerticalProfile>(*profile) : nullptr);
}

void ProfilePage::showProfile() {
  const VerticalProfile* profile = document_.profile().get();
  curves_->setProfile(profile);
  ui_->verticalCurveTable->resizeColumnsToContents();
  ui_->profileView->setProfile(profile);
  ui_->problemLabel->setText(pvis_->problem());
  showGround();
}

// Over the profile's stations, where the ground and the route both are.
void ProfilePage::showGround() {
  const VerticalProfile* profile = document_.profile().get();
  const auto& ground = document_.ground();
  const auto& route = document_.route();
  if (!profile || profile->pvis.size() < 2 || !ground || !route)
    return ui_->profileView->setGround({});
  ui_->profileView->setGround(CentreGroundLine(*ground, *route, profile->pvis.front().station,
                                               profile->pvis.back().station));
}

}  // namespace tarnvel
