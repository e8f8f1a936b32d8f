// A station the window wrote where the user may edit it (a table's cell, a
// station field): K text to the millimetre in the window's prefix. When the
// prefix changes, such a text is written again in the new one; a text as
// the user typed it otherwise (metres, another prefix, more decimals, no
// station at all) is theirs and stays.
#pragma once

#include <QString>
#include <string_view>

namespace tarnvel {

// `text` in the prefix `to` when it is a station's KStationText in `from`,
// else `text` itself.
QString ReprefixedStationText(const QString& text, std::string_view from, std::string_view to);

}  // namespace tarnvel
