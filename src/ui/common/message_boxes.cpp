#include "ui/common/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace tarnvel {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information:
      return QMessageBox::Information;
    case MessageIcon::Exclamation:
      return QMessageBox::Warning;
    case MessageIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

MessageIcon IconOf(RefusalKind kind) {
  switch (kind) {
    case RefusalKind::MissingInput:
      return MessageIcon::Information;
    case RefusalKind::UnusableValue:
      return MessageIcon::Exclamation;
    case RefusalKind::DivisionByZero:
      break;
  }
  return MessageIcon::None;
}

}  // namespace

void QtMessageBoxes::show(QWidget* parent, const QString& text, MessageIcon icon,
                          const QString& caption) {
  QMessageBox box(ToQt(icon), caption.isEmpty() ? QApplication::applicationName() : caption, text,
                  QMessageBox::Ok, parent);
  box.exec();
}

void ShowRefusal(MessageBoxes& boxes, QWidget* window, const Refusal& refusal, QWidget* field) {
  const MessageIcon icon = IconOf(refusal.kind);
  // The one message without an icon has no caption of its own either.
  const QString caption = icon == MessageIcon::None ? QString() : kMessageCaption;
  boxes.show(window, QString::fromStdString(refusal.message), icon, caption);
  if (field) field->setFocus(Qt::OtherFocusReason);
}

}  // namespace tarnvel
