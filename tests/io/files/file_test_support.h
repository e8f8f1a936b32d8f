// A scratch folder per test and raw access to the bytes of its files.
#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include "test_files.h"

namespace tarnvel::testing_support {

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
