#include "ui/tools/azimuth_window.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/tools/azimuth_distance.h"
#include "ui/common/field_text.h"
#include "ui/common/form_geometry.h"
#include "ui/common/message_boxes.h"
#include "ui/common/out_of_memory.h"
#include "ui_azimuth_window.h"

namespace tarnvel {

AzimuthWindow::AzimuthWindow(MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::AzimuthWindow>()), boxes_(boxes) {
  ui_->setupUi(this);
  FitFormToScreen(this);
  setFixedSize(size());
  setAttribute(Qt::WA_DeleteOnClose);
  // The tab order starts at B, so a fresh window waits for B's X.
  ui_->txtXb->setFocus(Qt::OtherFocusReason);

  // A failed allocation in a handler is a message, never the end of the
  // program.
  const auto guarded = [this](void (AzimuthWindow::*handler)()) {
    return [this, handler] { CatchOutOfMemory(boxes_, this, [&] { (this->*handler)(); }); };
  };
  connect(ui_->Command1, &QPushButton::clicked, this, guarded(&AzimuthWindow::compute));
  connect(ui_->Command2, &QPushButton::clicked, this, guarded(&AzimuthWindow::clearFields));
  connect(ui_->Command3, &QPushButton::clicked, this, guarded(&AzimuthWindow::closeWindow));
}

AzimuthWindow::~AzimuthWindow() = default;

void AzimuthWindow::compute() {
  const auto outcome = ComputeAzimuthDistance(
      {FieldText(ui_->txtXa), FieldText(ui_->txtYa), FieldText(ui_->txtXb), FieldText(ui_->txtYb)});
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    ShowRefusal(boxes_, this, *refusal, fieldBox(refusal->field));
    return;
  }
  const auto& texts = std::get<AzimuthTexts>(outcome);
  ui_->txtDu->setText(QString::fromStdString(texts.degrees));
  ui_->txtFen->setText(QString::fromStdString(texts.minutes));
  ui_->txtMiao->setText(QString::fromStdString(texts.seconds));
  ui_->txtS->setText(QString::fromStdString(texts.distance));
}

QWidget* AzimuthWindow::fieldBox(Field field) const {
  switch (field) {
    case Field::XA:
      return ui_->txtXa;
    case Field::YA:
      return ui_->txtYa;
    case Field::XB:
      return ui_->txtXb;
    case Field::YB:
      return ui_->txtYb;
    default:
      return nullptr;
  }
}

void AzimuthWindow::clearFields() {
  for (QLineEdit* box : {ui_->txtXa, ui_->txtYa, ui_->txtXb, ui_->txtYb, ui_->txtDu, ui_->txtFen,
                         ui_->txtMiao, ui_->txtS})
    box->clear();
  ui_->txtXa->setFocus(Qt::OtherFocusReason);
}

void AzimuthWindow::closeWindow() {
  close();
}

}  // namespace tarnvel
