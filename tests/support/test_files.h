// A test's files read and written whole, for GoogleTest and Qt Test alike.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtGlobal>

namespace tarnvel::testing_support {

// The file's bytes; none when it cannot be read, which a comparison shows.
inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

// Writes a test's input and gives its path back. A test cannot go on
// without its input, so a file that cannot be written ends the program.
inline QString WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
    qFatal("cannot write %s", qPrintable(path));
  return path;
}

}  // namespace tarnvel::testing_support
