#include "message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

namespace tarnvel {

namespace {

QMessageBox::Icon ToQt(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

void QtMessageBoxes::show(QWidget* parent, const QString& text, MessageIcon icon,
                          const QString& caption) {
  QMessageBox box(ToQt(icon), caption.isEmpty() ? QApplication::applicationName() : caption,
                  text, QMessageBox::Ok, parent);
  box.exec();
}

void ShowRefusal(MessageBoxes& boxes, QWidget* window, const Refusal& refusal) {
  // The one message without an icon has no caption of its own either.
  const QString caption = refusal.icon == MessageIcon::None ? QString() : kMessageCaption;
  boxes.show(window, QString::fromStdString(refusal.message), refusal.icon, caption);
  const QString field = QString::fromUtf8(refusal.field.data(),
                                          static_cast<qsizetype>(refusal.field.size()));
  if (auto* widget = window->findChild<QWidget*>(field)) widget->setFocus(Qt::OtherFocusReason);
}

}  // namespace tarnvel
