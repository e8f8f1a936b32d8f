#include "ui/tools/angle_radian_window.h"

#include <QLineEdit>
#include <QPushButton>

#include "core/tools/angle_radian.h"
#include "ui/common/field_text.h"
#include "ui/common/form_geometry.h"
#include "ui/common/message_boxes.h"
#include "ui/common/out_of_memory.h"
#include "ui_angle_radian_window.h"

namespace tarnvel {

AngleRadianWindow::AngleRadianWindow(MessageBoxes& boxes, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(std::make_unique<Ui::AngleRadianWindow>()), boxes_(boxes) {
  ui_->setupUi(this);
  FitFormToScreen(this);
  setFixedSize(size());
  setAttribute(Qt::WA_DeleteOnClose);

  // A failed allocation in a handler is a message, never the end of the
  // program.
  const auto guarded = [this](void (AngleRadianWindow::*handler)()) {
    return [this, handler] { CatchOutOfMemory(boxes_, this, [&] { (this->*handler)(); }); };
  };
  connect(ui_->Command1, &QPushButton::clicked, this,
          guarded(&AngleRadianWindow::degreesToRadians));
  connect(ui_->Command2, &QPushButton::clicked, this,
          guarded(&AngleRadianWindow::radiansToDegrees));
  connect(ui_->Command3, &QPushButton::clicked, this, guarded(&AngleRadianWindow::clearFields));
}

AngleRadianWindow::~AngleRadianWindow() = default;

void AngleRadianWindow::degreesToRadians() {
  const auto outcome =
      DegreesToRadians({FieldText(ui_->Text1), FieldText(ui_->Text2), FieldText(ui_->Text3)});
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    ShowRefusal(boxes_, this, *refusal, fieldBox(refusal->field));
    return;
  }
  ui_->Text4->setText(QString::fromStdString(std::get<std::string>(outcome)));
}

void AngleRadianWindow::radiansToDegrees() {
  const auto outcome = RadiansToDegrees(FieldText(ui_->Text4));
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    ShowRefusal(boxes_, this, *refusal, fieldBox(refusal->field));
    return;
  }
  const auto& dms = std::get<DmsFields>(outcome);
  ui_->Text1->setText(QString::fromStdString(dms.degrees));
  ui_->Text2->setText(QString::fromStdString(dms.minutes));
  ui_->Text3->setText(QString::fromStdString(dms.seconds));
}

QWidget* AngleRadianWindow::fieldBox(Field field) const {
  switch (field) {
    case Field::Degrees:
      return ui_->Text1;
    case Field::Minutes:
      return ui_->Text2;
    case Field::Seconds:
      return ui_->Text3;
    case Field::Radians:
      return ui_->Text4;
    default:
      return nullptr;
  }
}

// The focus stays where it is.
void AngleRadianWindow::clearFields() {
  for (QLineEdit* box : {ui_->Text1, ui_->Text2, ui_->Text3, ui_->Text4}) box->clear();
}

}  // namespace tarnvel
