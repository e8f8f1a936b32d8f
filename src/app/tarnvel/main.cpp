#include <QApplication>

#include "ui/common/file_dialog.h"
#include "ui/common/message_boxes.h"
#include "ui/common/platform.h"
#include "ui/common/qt_translations.h"
#include "ui/main/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarnvel"));
  tarnvel::InstallQtChinese(app);

  tarnvel::QtMessageBoxes boxes;
  tarnvel::DesktopPlatform platform;
  tarnvel::QtFileDialogs fileDialogs;
  tarnvel::MainWindow window(boxes, platform, fileDialogs);
  window.show();
  return app.exec();
}
