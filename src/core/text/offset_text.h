// An offset as the route window shows it: its side in words, so that a crew
// never has to remember which sign is left.
#pragma once

#include <string>

namespace tarnvel {

// The offset's size at `decimals` places as FixedText writes it, after 左
// for a left (negative) offset and 右 for a right one: "左10.000",
// "右5.000". An offset that rounds to zero is on the line and has no side
// ("0.000"). Not finite: as FixedText writes it.
std::string SidedOffsetText(double offset, int decimals);

}  // namespace tarnvel
