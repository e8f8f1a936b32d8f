// The outline of a surface: the edges of its triangles that no other
// triangle shares, which the plan draws to show where the ground is known.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/surface/tin.h"

namespace tarnvel {

using TinEdge = std::array<std::uint32_t, 2>;

// Every edge that belongs to one face only, as its face runs, in order of
// its lower point and then its higher.
std::vector<TinEdge> TinOutline(const std::vector<TinFace>& faces);

}  // namespace tarnvel
