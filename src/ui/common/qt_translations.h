// Qt's own words, the buttons of the message boxes and everything in the file
// dialogs, in Chinese like every other word of the system.
#pragma once

#include <QLibraryInfo>
#include <QString>

class QCoreApplication;

namespace tarnvel {

// Loads Qt's Chinese translations from `folder` (where Qt keeps its own by
// default) and installs them on the application. Where they are missing Qt's
// words stay English: nothing is shown and false is returned.
bool InstallQtChinese(QCoreApplication& app,
                      const QString& folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

}  // namespace tarnvel
