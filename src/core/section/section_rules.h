// The rules a cross-section table holds to, for the file, the window and
// any other reader alike: each reads its texts, and the table is made here.
#pragma once

#include <cstddef>
#include <optional>
#include <variant>

#include "core/section/cross_section.h"

namespace tarnvel {

// Why a listed station cannot stand in its table, for each reader to say in
// its own words, naming the figure at fault.
struct SectionFault {
  enum class Kind { kNegativeWidth, kDesignOffsetOffRoad, kStationNotIncreasing };
  Kind kind = Kind::kNegativeWidth;
  std::size_t station = 0;  // the listed station, counted from 0
  // The side of the part whose width is negative, or of the design line.
  bool left = false;
  std::size_t part = 0;  // kNegativeWidth: the part, from the centre line
  double sideWidth = 0;  // kDesignOffsetOffRoad: the width of that side
};

// The first fault of listed station k, against the one before it: a negative
// width (the left side's parts first, each from the centre line outward), a
// design line beyond its side's outer edge by more than the position
// tolerance (within it, the line is on the edge, there and between listed
// stations, where widths and offset run linearly alike), a station not
// greater than the one before.
std::optional<SectionFault> SectionStationFault(const CrossSectionTable& table, std::size_t k);

// Every reader of a table makes it here: the table when each listed station
// stands (SectionStationFault), else the first fault.
std::variant<SectionFault, CrossSectionTable> MakeCrossSectionTable(CrossSectionTable table);

}  // namespace tarnvel
