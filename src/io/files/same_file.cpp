#include "io/files/same_file.h"

#include <sys/stat.h>

#include <QFile>

namespace tarnvel {

bool SameFile(const QString& a, const QString& b) {
  struct stat first {
  }, second{};
  return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
         ::stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

}  // namespace tarnvel
