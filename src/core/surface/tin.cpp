#include "core/surface/tin.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "core/surface/delaunay.h"

namespace tarnvel {

namespace {

// Each point that lies within kTinDuplicate of an earlier point kept.
std::vector<bool> Duplicates(const std::vector<TinPoint>& points) {
  struct Sorted {
    long long column;
    double Y;
    std::uint32_t index;
  };
  std::vector<Sorted> sorted(points.size());
  for (std::size_t i = 0; i < points.size(); ++i)
    sorted[i] = {static_cast<long long>(std::floor(points[i].X / kTinDuplicate)), points[i].Y,
                 static_cast<std::uint32_t>(i)};
  const auto before = [](const Sorted& a, const Sorted& b) {
    return std::tie(a.column, a.Y) < std::tie(b.column, b.Y);
  };
  std::sort(sorted.begin(), sorted.end(), before);
  std::vector<bool> dropped(points.size(), false);
  // In the file's order, so that a point only a dropped one was near stays.
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (dropped[i]) continue;
    const TinPoint& p = points[i];
    const auto column = static_cast<long long>(std::floor(p.X / kTinDuplicate));
    for (long long c = column - 1; c <= column + 1; ++c) {
      auto at =
          std::lower_bound(sorted.begin(), sorted.end(), Sorted{c, p.Y - kTinDuplicate, 0}, before);
      for (; at != sorted.end() && at->column == c && at->Y <= p.Y + kTinDuplicate; ++at)
        if (at->index > i && std::hypot(points[at->index].X - p.X, at->Y - p.Y) < kTinDuplicate)
          dropped[at->index] = true;
    }
  }
  return dropped;
}

double EdgeLength(const std::vector<TinPoint>& points, std::uint32_t a, std::uint32_t b) {
  return std::hypot(points[a].X - points[b].X, points[a].Y - points[b].Y);
}

// The faces left once the outline's triangles with an edge longer than
// `maxEdge` are peeled off, again and again.
std::vector<TinFace> Peeled(const std::vector<TinPoint>& points, std::vector<TinFace> faces,
                            double maxEdge) {
  struct Edge {
    std::uint32_t low, high, face;
  };
  std::vector<Edge> edges;
  edges.reserve(3 * faces.size());
  for (std::uint32_t f = 0; f < faces.size(); ++f)
    for (int k = 0; k < 3; ++k) {
      const std::uint32_t a = faces[f][k], b = faces[f][(k + 1) % 3];
      edges.push_back({std::min(a, b), std::max(a, b), f});
    }
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) {
    return std::tie(a.low, a.high, a.face) < std::tie(b.low, b.high, b.face);
  });
  // The face across each face's edges; none on the outline.
  constexpr std::uint32_t kNone = UINT32_MAX;
  std::vector<std::array<std::uint32_t, 3>> across(faces.size(), {kNone, kNone, kNone});
  const auto slot = [&](std::uint32_t f, std::uint32_t a, std::uint32_t b) {
    for (int k = 0; k < 3; ++k)
      if (std::minmax(faces[f][k], faces[f][(k + 1) % 3]) == std::minmax(a, b)) return k;
    return 0;
  };
  for (std::size_t i = 0; i + 1 < edges.size(); ++i)
    if (edges[i].low == edges[i + 1].low && edges[i].high == edges[i + 1].high) {
      const Edge& e = edges[i];
      const Edge& g = edges[i + 1];
      across[e.face][slot(e.face, e.low, e.high)] = g.face;
      across[g.face][slot(g.face, g.low, g.high)] = e.face;
    }
  edges = {};
  std::vector<bool> removed(faces.size(), false);
  const auto tooLong = [&](std::uint32_t f) {
    for (int k = 0; k < 3; ++k)
      if (EdgeLength(points, faces[f][k], faces[f][(k + 1) % 3]) > maxEdge) return true;
    return false;
  };
  const auto onOutline = [&](std::uint32_t f) {
    for (std::uint32_t g : across[f])
      if (g == kNone || removed[g]) return true;
    return false;
  };
  std::vector<std::uint32_t> waiting;
  for (std::uint32_t f = 0; f < faces.size(); ++f)
    if (onOutline(f) && tooLong(f)) waiting.push_back(f);
  while (!waiting.empty()) {
    const std::uint32_t f = waiting.back();
    waiting.pop_back();
    if (removed[f]) continue;
    removed[f] = true;
    for (std::uint32_t g : across[f])
      if (g != kNone && !removed[g] && tooLong(g)) waiting.push_back(g);
  }
  std::vector<TinFace> kept;
  for (std::uint32_t f = 0; f < faces.size(); ++f)
    if (!removed[f]) kept.push_back(faces[f]);
  return kept;
}

// The grid of cells over the faces, a face in every cell its box overlaps.
void Index(Tin& tin) {
  if (tin.faces.empty()) return;
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (const TinFace& face : tin.faces)
    for (std::uint32_t i : face) {
      minX = std::min(minX, tin.points[i].X), maxX = std::max(maxX, tin.points[i].X);
      minY = std::min(minY, tin.points[i].Y), maxY = std::max(maxY, tin.points[i].Y);
    }
  // About two faces a cell: a section line then tests few faces it misses.
  const double area = std::max((maxX - minX) * (maxY - minY), 1e-6);
  tin.cell = std::max(std::sqrt(2 * area / static_cast<double>(tin.faces.size())), 1e-3);
  tin.originX = minX, tin.originY = minY;
  tin.rows = static_cast<std::size_t>((maxX - minX) / tin.cell) + 1;
  tin.columns = static_cast<std::size_t>((maxY - minY) / tin.cell) + 1;
  const auto span = [&](const TinFace& face, std::size_t& r0, std::size_t& r1, std::size_t& c0,
                        std::size_t& c1) {
    double x0 = INFINITY, x1 = -INFINITY, y0 = INFINITY, y1 = -INFINITY;
    for (std::uint32_t i : face) {
      x0 = std::min(x0, tin.points[i].X), x1 = std::max(x1, tin.points[i].X);
      y0 = std::min(y0, tin.points[i].Y), y1 = std::max(y1, tin.points[i].Y);
    }
    r0 = static_cast<std::size_t>((x0 - minX) / tin.cell);
    r1 = std::min(static_cast<std::size_t>((x1 - minX) / tin.cell), tin.rows - 1);
    c0 = static_cast<std::size_t>((y0 - minY) / tin.cell);
    c1 = std::min(static_cast<std::size_t>((y1 - minY) / tin.cell), tin.columns - 1);
  };
  tin.cellStart.assign(tin.rows * tin.columns + 1, 0);
  std::size_t r0, r1, c0, c1;
  for (const TinFace& face : tin.faces) {
    span(face, r0, r1, c0, c1);
    for (std::size_t r = r0; r <= r1; ++r)
      for (std::size_t c = c0; c <= c1; ++c) ++tin.cellStart[r * tin.columns + c + 1];
  }
  for (std::size_t i = 1; i < tin.cellStart.size(); ++i) tin.cellStart[i] += tin.cellStart[i - 1];
  tin.cellFaces.resize(tin.cellStart.back());
  std::vector<std::uint32_t> next(tin.cellStart.begin(), tin.cellStart.end() - 1);
  for (std::uint32_t f = 0; f < tin.faces.size(); ++f) {
    span(tin.faces[f], r0, r1, c0, c1);
    for (std::size_t r = r0; r <= r1; ++r)
      for (std::size_t c = c0; c <= c1; ++c) tin.cellFaces[next[r * tin.columns + c]++] = f;
  }
}

}  // namespace

TinFromPoints TinOfPoints(std::vector<TinPoint> points, std::optional<double> maxEdge) {
  TinFromPoints made;
  const std::vector<bool> dropped = Duplicates(points);
  std::size_t kept = 0;
  for (std::size_t i = 0; i < points.size(); ++i)
    if (!dropped[i]) points[kept++] = points[i];
  made.duplicates = points.size() - kept;
  points.resize(kept);
  points.shrink_to_fit();
  std::vector<PlanXY> plan(points.size());
  for (std::size_t i = 0; i < points.size(); ++i) plan[i] = {points[i].X, points[i].Y};
  std::vector<TinFace> faces = DelaunayTriangles(plan);
  plan = {};
  if (maxEdge) faces = Peeled(points, std::move(faces), *maxEdge);
  made.tin = TinOfFaces(std::move(points), std::move(faces));
  return made;
}

Tin TinOfFaces(std::vector<TinPoint> points, std::vector<TinFace> faces) {
  Tin tin;
  tin.points = std::move(points);
  tin.faces = std::move(faces);
  Index(tin);
  return tin;
}

}  // namespace tarnvel
