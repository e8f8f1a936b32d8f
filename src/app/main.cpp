#include <QApplication>

#include "placeholder_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  tarnvel::PlaceholderWindow window;
  window.show();
  return app.exec();
}
