#include "ui/common/qt_translations.h"

#include <QCoreApplication>
#include <QTranslator>

namespace tarnvel {

bool InstallQtChinese(QCoreApplication& app, const QString& folder) {
  // Chinese whatever the desktop's language: the system's own words are.
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), folder) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  return true;
}

}  // namespace tarnvel
