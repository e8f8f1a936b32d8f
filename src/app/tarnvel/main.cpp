#include <QApplication>

#include "file_dialog.h"
#include "main_window.h"
#include "message_boxes.h"
#include "platform.h"
#include "qt_translations.h"

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
