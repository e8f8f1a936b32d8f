#include "core/surface/delaunay.h"

#include <CGAL/Delaunay_triangulation_2.h>
#include <CGAL/Exact_predicates_inexact_constructions_kernel.h>
#include <CGAL/Triangulation_vertex_base_with_info_2.h>

#include <utility>

namespace tarnvel {

namespace {

// Exact predicates: a triangulation decided on rounded orientations can
// fold over itself on the nearly collinear points of a surveyed road.
using Kernel = CGAL::Exact_predicates_inexact_constructions_kernel;
using VertexBase = CGAL::Triangulation_vertex_base_with_info_2<std::uint32_t, Kernel>;
using DataStructure = CGAL::Triangulation_data_structure_2<VertexBase>;
using Triangulation = CGAL::Delaunay_triangulation_2<Kernel, DataStructure>;

}  // namespace

std::vector<std::array<std::uint32_t, 3>> DelaunayTriangles(const std::vector<PlanXY>& points) {
  std::vector<std::pair<Kernel::Point_2, std::uint32_t>> located;
  located.reserve(points.size());
  for (std::size_t i = 0; i < points.size(); ++i)
    located.emplace_back(Kernel::Point_2(points[i].x, points[i].y), static_cast<std::uint32_t>(i));
  // The range form sorts the points along a space-filling curve first,
  // which is what makes a million points quick.
  const Triangulation triangulation(located.begin(), located.end());
  located = {};
  std::vector<std::array<std::uint32_t, 3>> triangles;
  if (triangulation.dimension() < 2) return triangles;
  triangles.reserve(triangulation.number_of_faces());
  for (auto face = triangulation.finite_faces_begin(); face != triangulation.finite_faces_end();
       ++face)
    triangles.push_back(
        {face->vertex(0)->info(), face->vertex(1)->info(), face->vertex(2)->info()});
  return triangles;
}

}  // namespace tarnvel
