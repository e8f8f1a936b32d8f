// Runs the built tarnvel-route in a folder, as a script would.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace tarnvel::testing_support {

struct ProgramRun {
  int status = -1;
  QByteArray out;
  QString err;
};

inline ProgramRun RunRouteProgram(const QString& folder, const QStringList& arguments) {
  QProcess process;
  process.setWorkingDirectory(folder);
  process.start(QStringLiteral(TARNVEL_ROUTE_PROGRAM), arguments);
  EXPECT_TRUE(process.waitForFinished(30000)) << process.errorString().toStdString();
  return {process.exitCode(), process.readAllStandardOutput(),
          QString::fromUtf8(process.readAllStandardError())};
}

}  // namespace tarnvel::testing_support
