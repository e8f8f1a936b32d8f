// The ground line at a station from the surface: the TIN cut by the line
// square to the centre line there, the exact polyline of the cut's
// crossings with the triangles' edges.
#pragma once

#include <cstddef>
#include <vector>

#include "core/element/centre_line.h"
#include "core/ground/ground_lines.h"
#include "core/surface/tin.h"

namespace tarnvel {

// The ground line across the route at a centre-line point, from `width` on
// the left to `width` on the right (the points at ±width end it where the
// surface reaches past them): one piece for each stretch on the surface, in
// order of offset, each piece's offsets increasing strictly. None where the
// line misses the surface.
std::vector<std::vector<GroundPoint>> SurfaceCut(const Tin& tin, const ForwardResult& frame,
                                                 double width);

// The piece that stands for the ground where the surface has gaps: the one
// that holds the centre line, or, if none does, the longest. `pieces` is not
// empty.
std::size_t CentrePiece(const std::vector<std::vector<GroundPoint>>& pieces);

}  // namespace tarnvel
