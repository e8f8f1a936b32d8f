// The About window `AAbout`: the version, the terms of use and how to reach
// the maker; the picture and the web line open the maker's page.
#pragma once

#include <QWidget>
#include <memory>

namespace Ui {
class AboutWindow;
}

namespace tarnvel {

class MessageBoxes;
class Platform;

class AboutWindow : public QWidget {
  Q_OBJECT

 public:
  // A window of its own even with a parent; closing it destroys it.
  AboutWindow(MessageBoxes& boxes, Platform& platform, QWidget* parent = nullptr);
  ~AboutWindow() override;

 protected:
  // Image1 and Label5 are labels; their clicks arrive here.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Image1 and Label5 both open the maker's page.
  void openMakerPage();

  std::unique_ptr<Ui::AboutWindow> ui_;
  MessageBoxes& boxes_;
  Platform& platform_;
};

}  // namespace tarnvel
