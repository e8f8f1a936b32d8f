#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tarnvel"));
  QLabel window(QStringLiteral("Tarnvel：主窗口正在建设中。"));
  window.setWindowTitle(QStringLiteral("Tarnvel"));
  window.setMargin(40);
  window.show();
  return app.exec();
}
