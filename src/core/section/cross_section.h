// The cross section (横断面) of a road as its 路基设计表 lists it: at each
// listed station, on each side, the parts (行车道, 硬路肩, 土路肩…) from the
// centre line outward, each with its width and its cross slope, and the
// offset of the design line, the point whose elevation the profile states.
// Between listed stations every figure runs linearly with the station: the
// linear 超高 and 加宽 transitions of a design.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace tarnvel {

// One part of one side: its width in metres and its cross slope in percent,
// positive when the surface rises going outward from the centre line.
struct SectionPart {
  double width = 0;
  double slope = 0;
};

// The section at one listed station. The parts follow the table's part
// names side by side; the design line's offset is left negative, as every
// offset is.
struct SectionStation {
  double station = 0;
  std::vector<SectionPart> left, right;
  double designOffset = 0;
};

// The whole table: the parts' names on each side (行车道, 土路肩…) from the
// centre line outward, and the listed stations, increasing.
struct CrossSectionTable {
  std::vector<std::string> leftParts, rightParts;
  bool hasDesignOffset = false;  // the table lists 设计线偏距
  std::vector<SectionStation> stations;
};

// The section at any station: linear between the two listed stations around
// it, each figure on its own; the first listed station's before the table
// and the last one's after it. At a listed station it is that station's,
// exactly. The table holds at least one station.
SectionStation SectionAt(const CrossSectionTable& table, double station);

// The same for stations taken in order: `interval` is the interval the last
// station was in (0 to begin with), so that the next is found at once, and
// `section` is overwritten in place, so that a long table of rows takes no
// memory row by row.
void SectionAt(const CrossSectionTable& table, double station, std::size_t& interval,
               SectionStation& section);

}  // namespace tarnvel
