// The angle and radian converter `角度转弧度`: degrees, minutes and seconds
// to radians and back.
#pragma once

#include <QWidget>
#include <memory>

#include "core/text/refusal.h"

namespace Ui {
class AngleRadianWindow;
}

namespace tarnvel {

class MessageBoxes;

class AngleRadianWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own even with a parent; closing it destroys it.
  explicit AngleRadianWindow(MessageBoxes& boxes, QWidget* parent = nullptr);
  ~AngleRadianWindow() override;

 private slots:
  void degreesToRadians();  // Command1 角度->弧度
  void radiansToDegrees();  // Command2 弧度->角度
  void clearFields();       // Command3 清零

 private:
  // The box that holds a field of the conversions; null for a field of
  // another window.
  QWidget* fieldBox(Field field) const;

  std::unique_ptr<Ui::AngleRadianWindow> ui_;
  MessageBoxes& boxes_;
};

}  // namespace tarnvel
