// A scratch folder per test and raw access to the bytes of its files.
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace tarnvel::testing_support {

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

class ScratchFolder : public ::testing::Test {
 protected:
  QString PathOf(const QString& name) const { return folder_.filePath(name); }
  QStringList Entries() const {
    return QDir(folder_.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  }
  // Where nobody, root included, can create a file: under a regular file.
  QString Unwritable() {
    WriteBytes(PathOf("plain.txt"), "x");
    return PathOf("plain.txt/table.txt");
  }

 private:
  QTemporaryDir folder_;
};

}  // namespace tarnvel::testing_support

// GoogleTest prints QStrings as text in its failure messages.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << text.toStdString();
}
QT_END_NAMESPACE
