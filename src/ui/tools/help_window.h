// The 联机帮助 window: the user guide that ships with Tarnvel, its README,
// read from the program itself, so it needs no network and always matches
// the program it came with.
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class HelpWindow;
}

namespace tarnvel {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own even with a parent; closing it destroys it.
  explicit HelpWindow(QWidget* parent = nullptr);
  ~HelpWindow() override;

 private:
  std::unique_ptr<Ui::HelpWindow> ui_;
};

}  // namespace tarnvel
