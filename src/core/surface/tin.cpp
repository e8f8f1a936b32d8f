#include "core/surface/tin.h"

#include <algorithm>
#include <cmath>
#include <tuple>

#include "core/surface/delaunay.h"

namespace tarnvel {

namespace {

struct Sorted {
  long long column;  // of kTinDuplicate across X
  double Y;
  std::uint32_t index;
};

bool Before(const Sorted& a, const Sorted& b) {
  return std::tie(a.column, a.Y) < std::tie(b.column, b.Y);
}

// The first of `sorted` not before `key`, searched outward from `from` in
// growing steps: a point's neighbours lie beside it, and a search of the
// whole list for each took a quarter of a million points' TIN.
std::size_t LowerFrom(const std::vector<Sorted>& sorted, std::size_t from, const Sorted& key) {
  std::size_t low = 0, high = sorted.size();  // the first not before `key` is in [low, high]
  if (Before(sorted[from], key)) {
    low = from + 1;
    for (std::size_t step = 1;; step *= 2) {
      const std::size_t probe = from + step;
      if (probe >= sorted.size()) break;
      if (!Before(sorted[probe], key)) {
        high = probe;
        break;
      }
      low = probe + 1;
    }
  } else {
    high = from;
    for (std::size_t step = 1; high > 0; step *= 2) {
      const std::size_t probe = high > step ? high - step : 0;
      if (Before(sorted[probe], key)) {
        low = probe + 1;
        break;
      }
      high = probe;
    }
    low = std::min(low, high);
  }
  return static_cast<std::size_t>(
      std::lower_bound(sorted.begin() + static_cast<std::ptrdiff_t>(low),
                       sorted.begin() + static_cast<std::ptrdiff_t>(high), key, Before) -
      sorted.begin());
}

// Each point that lies within kTinDuplicate of an earlier point kept.
std::vector<bool> Duplicates(const std::vector<TinPoint>& points) {
  std::vector<Sorted> sorted(points.size());
  for (std::size_t i = 0; i < points.size(); ++i)
    // Columns far out share one: they hold no duplicates of each other.
    sorted[i] = {
        static_cast<long long>(std::clamp(std::floor(points[i].X / kTinDuplicate), -9e18, 9e18)),
        points[i].Y, static_cast<std::uint32_t>(i)};
  std::sort(sorted.begin(), sorted.end(), Before);
  std::vector<std::uint32_t> place(points.size());  // each point's in `sorted`
  for (std::size_t k = 0; k < sorted.size(); ++k)
    place[sorted[k].index] = static_cast<std::uint32_t>(k);
  std::vector<bool> dropped(points.size(), false);
  // In the file's order, so that a point only a dropped one was near stays.
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (dropped[i]) continue;
    const TinPoint& p = points[i];
    const Sorted& own = sorted[place[i]];
    for (long long c = own.column - 1; c <= own.column + 1; ++c)
      for (std::size_t k = LowerFrom(sorted, place[i], {c, p.Y - kTinDuplicate, 0});
           k < sorted.size() && sorted[k].column == c && sorted[k].Y <= p.Y + kTinDuplicate; ++k)
        if (sorted[k].index > i &&
            std::hypot(points[sorted[k].index].X - p.X, sorted[k].Y - p.Y) < kTinDuplicate)
          dropped[sorted[k].index] = true;
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

// The face's corners in plan.
std::array<PlanCorner, 3> Corners(const Tin& tin, const TinFace& face) {
  std::array<PlanCorner, 3> corners;
  for (int k = 0; k < 3; ++k) corners[k] = {tin.points[face[k]].X, tin.points[face[k]].Y};
  return corners;
}

// The grid of cells over the faces, a face in every cell it overlaps. Not
// in every cell its box overlaps: where a winding survey leaves bays, its
// outline's long thin triangles lie across them, and their boxes took
// 70 million cells of a million points.
void Index(Tin& tin) {
  if (tin.faces.empty()) return;
  double minX = INFINITY, minY = INFINITY, maxX = -INFINITY, maxY = -INFINITY;
  for (const TinFace& face : tin.faces)
    for (std::uint32_t i : face) {
      minX = std::min(minX, tin.points[i].X), maxX = std::max(maxX, tin.points[i].X);
      minY = std::min(minY, tin.points[i].Y), maxY = std::max(maxY, tin.points[i].Y);
    }
  // About two faces a cell: a section line then tests few faces it misses.
  // Half extents, which no finite coordinates overflow.
  const double halfX = maxX / 2 - minX / 2, halfY = maxY / 2 - minY / 2;
  const double faces = static_cast<double>(tin.faces.size());
  const double area = std::max(4 * halfX * halfY, 1e-6);
  // Nor more cells a side than faces: a point far out on its own (a digit
  // slipped) or a survey along one line would ask for a grid without end.
  const double most = 2 * faces + 1;
  tin.cell = std::max({std::sqrt(2 * area / faces), 2 * (halfX / most), 2 * (halfY / most), 1e-3});
  tin.originX = minX, tin.originY = minY;
  tin.rows = static_cast<std::size_t>(std::min(halfX / (tin.cell / 2), most)) + 1;
  tin.columns = static_cast<std::size_t>(std::min(halfY / (tin.cell / 2), most)) + 1;
  tin.cellStart.assign(tin.rows * tin.columns + 1, 0);
  std::vector<std::size_t> cells;
  for (const TinFace& face : tin.faces) {
    CellsOver(tin, Corners(tin, face), cells);
    for (std::size_t cell : cells) ++tin.cellStart[cell + 1];
  }
  for (std::size_t i = 1; i < tin.cellStart.size(); ++i) tin.cellStart[i] += tin.cellStart[i - 1];
  tin.cellFaces.resize(tin.cellStart.back());
  std::vector<std::uint32_t> next(tin.cellStart.begin(), tin.cellStart.end() - 1);
  for (std::uint32_t f = 0; f < tin.faces.size(); ++f) {
    CellsOver(tin, Corners(tin, tin.faces[f]), cells);
    for (std::size_t cell : cells) tin.cellFaces[next[cell]++] = f;
  }
}

}  // namespace

void CellsOver(const Tin& tin, std::span<const PlanCorner> corners,
               std::vector<std::size_t>& cells) {
  cells.clear();
  if (tin.rows == 0 || corners.empty()) return;
  // A figure this close to a cell is in it: no rounding leaves a face out
  // of a cell it touches.
  constexpr double kEdge = 1e-6;
  double minX = INFINITY, maxX = -INFINITY;
  for (const PlanCorner& c : corners) minX = std::min(minX, c.X), maxX = std::max(maxX, c.X);
  const auto last = [](std::size_t count) { return static_cast<double>(count - 1); };
  const double r0 = std::max(std::floor((minX - kEdge - tin.originX) / tin.cell), 0.0);
  const double r1 = std::min(std::floor((maxX + kEdge - tin.originX) / tin.cell), last(tin.rows));
  // A segment's one edge, or a triangle's three.
  const std::size_t edges = corners.size() == 2 ? 1 : corners.size();
  for (double r = r0; r <= r1; ++r) {
    const double b0 = tin.originX + r * tin.cell - kEdge;
    const double b1 = tin.originX + (r + 1) * tin.cell + kEdge;
    double y0 = INFINITY, y1 = -INFINITY;
    for (std::size_t k = 0; k < edges; ++k) {
      const PlanCorner& a = corners[k];
      const PlanCorner& b = corners[(k + 1) % corners.size()];
      double t0 = 0, t1 = 1;
      if (a.X == b.X) {
        if (a.X < b0 || a.X > b1) continue;
      } else {
        const double ta = (b0 - a.X) / (b.X - a.X), tb = (b1 - a.X) / (b.X - a.X);
        t0 = std::max(t0, std::min(ta, tb));
        t1 = std::min(t1, std::max(ta, tb));
        if (t0 > t1) continue;
      }
      const double ya = a.Y + t0 * (b.Y - a.Y), yb = a.Y + t1 * (b.Y - a.Y);
      y0 = std::min({y0, ya, yb});
      y1 = std::max({y1, ya, yb});
    }
    if (!(y0 <= y1)) continue;
    const double c0 = std::max(std::floor((y0 - kEdge - tin.originY) / tin.cell), 0.0);
    const double c1 =
        std::min(std::floor((y1 + kEdge - tin.originY) / tin.cell), last(tin.columns));
    for (double c = c0; c <= c1; ++c)
      cells.push_back(static_cast<std::size_t>(r) * tin.columns + static_cast<std::size_t>(c));
  }
}

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
