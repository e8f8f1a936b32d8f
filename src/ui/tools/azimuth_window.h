// The azimuth and distance tool `方位角和距离`: the coordinate azimuth from
// point A to point B and their horizontal distance.
#pragma once

#include <QWidget>
#include <memory>

#include "core/text/refusal.h"

namespace Ui {
class AzimuthWindow;
}

namespace tarnvel {

class MessageBoxes;

class AzimuthWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own even with a parent; closing it destroys it.
  explicit AzimuthWindow(MessageBoxes& boxes, QWidget* parent = nullptr);
  ~AzimuthWindow() override;

 private slots:
  void compute();      // Command1 计算
  void clearFields();  // Command2 清零
  void closeWindow();  // Command3 退出

 private:
  // The box that holds a field of the computation; null for a field of
  // another window.
  QWidget* fieldBox(Field field) const;

  std::unique_ptr<Ui::AzimuthWindow> ui_;
  MessageBoxes& boxes_;
};

}  // namespace tarnvel
