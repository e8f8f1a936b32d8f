#include "ui/common/platform.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>

namespace tarnvel {

namespace {

#ifdef Q_OS_WIN
const QStringList kCalculators = {QStringLiteral("calc.exe")};
const QStringList kEditors = {QStringLiteral("notepad.exe")};
#else
const QStringList kCalculators = {QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                  QStringLiteral("mate-calc"),        QStringLiteral("galculator"),
                                  QStringLiteral("qalculate-gtk"),    QStringLiteral("xcalc")};
const QStringList kEditors = {QStringLiteral("gnome-text-editor"),
                              QStringLiteral("gedit"),
                              QStringLiteral("kate"),
                              QStringLiteral("kwrite"),
                              QStringLiteral("mousepad"),
                              QStringLiteral("pluma"),
                              QStringLiteral("xed"),
                              QStringLiteral("featherpad"),
                              QStringLiteral("leafpad")};
#endif

// Starts the first program of the list that is installed.
bool StartFirst(const QStringList& programs, const QStringList& arguments, QString* error) {
  for (const QString& program : programs) {
    const QString path = QStandardPaths::findExecutable(program);
    if (!path.isEmpty() && QProcess::startDetached(path, arguments)) return true;
  }
  if (error)
    *error = QStringLiteral("未找到可用的程序：%1").arg(programs.join(QStringLiteral("、")));
  return false;
}

}  // namespace

bool DesktopPlatform::startCalculator(QString* error) {
  return StartFirst(kCalculators, {}, error);
}

bool DesktopPlatform::openTextEditor(const QString& text, QString* error) {
  // The greeting goes into a new document file rather than as keystrokes, so
  // it can never land in whatever window happens to be active.
  QTemporaryFile file(QDir::tempPath() + QStringLiteral("/Tarnvel-XXXXXX.txt"));
  file.setAutoRemove(false);
  if (!file.open() || file.write(text.toUtf8()) < 0 || !file.flush()) {
    if (error) *error = file.errorString();
    return false;
  }
  file.close();
  if (StartFirst(kEditors, {file.fileName()}, nullptr)) return true;
  if (QDesktopServices::openUrl(QUrl::fromLocalFile(file.fileName()))) return true;
  if (error) *error = QStringLiteral("未找到可用的文本编辑器。");
  return false;
}

bool DesktopPlatform::openWebPage(const QUrl& url, QString* error) {
  if (QDesktopServices::openUrl(url)) return true;
  if (error) *error = QStringLiteral("无法打开浏览器：%1").arg(url.toString());
  return false;
}

}  // namespace tarnvel
