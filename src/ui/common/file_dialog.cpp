#include "file_dialog.h"

#include <QFileDialog>

namespace tarnvel {

QString QtFileDialogs::getOpenFileName(QWidget* parent, const QString& fileTypes,
                                       const QString& initialName) {
  // An empty caption keeps the dialog's standard title for opening.
  return QFileDialog::getOpenFileName(parent, QString(), initialName, fileTypes);
}

QString QtFileDialogs::getSaveFileName(QWidget* parent, const QString& fileTypes,
                                       const QString& initialName) {
  return QFileDialog::getSaveFileName(parent, QString(), initialName, fileTypes);
}

SharedFileDialog::SharedFileDialog(FileDialogs& dialogs, QObject* parent)
    : QObject(parent), dialogs_(dialogs) {
  setObjectName(QStringLiteral("CDg1"));
}

QString SharedFileDialog::open(QWidget* parent, const QString& fileTypes) {
  return remember(dialogs_.getOpenFileName(parent, fileTypes, fileName_));
}

QString SharedFileDialog::save(QWidget* parent, const QString& fileTypes) {
  return remember(dialogs_.getSaveFileName(parent, fileTypes, fileName_));
}

QString SharedFileDialog::remember(const QString& chosen) {
  if (!chosen.isEmpty()) fileName_ = chosen;
  return chosen;
}

}  // namespace tarnvel
