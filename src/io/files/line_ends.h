// Line ends as the system's files and its results box keep them: CR LF.
#pragma once

#include <QString>

namespace tarnvel {

// The text with every line end (CR LF, LF alone or CR alone) made CR LF. A
// text already in CR LF comes back as it is, without a copy, which keeps a
// million-line table cheap.
QString WithCrLf(QString text);

}  // namespace tarnvel
