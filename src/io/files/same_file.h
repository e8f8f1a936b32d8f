// Whether two names reach one file.
#pragma once

#include <QString>

namespace tarnvel {

// True when both paths exist and name the same file (device and inode),
// through any symbolic links, hard links or differently written paths.
bool SameFile(const QString& a, const QString& b);

}  // namespace tarnvel
