#include "core/route/route.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <span>

#include "core/cpu/vector_state.h"
#include "core/text/angle.h"

namespace tarnvel {

namespace {

// A box is built from points on the centre line no more than this turn
// apart; between two of them the line strays from their chord by at most
// a sixteenth of their distance.
constexpr double kBoxPanelTurn = 0.25;
constexpr double kMaxBoxPanels = 64;
// Covers the round-off of the points themselves, far below a millimetre.
constexpr double kBoxSlack = 1e-6;

std::string ElementPrefix(size_t index) {
  return "第" + std::to_string(index + 1) + "个线元";
}

std::string FieldName(size_t field) {
  return std::string(kElementFieldNames[field]);
}

std::optional<RouteError> CheckElement(size_t index, const ElementValues& v) {
  const std::array<double, 8> fields = FieldValues(v);
  const int number = static_cast<int>(index + 1);
  for (size_t f = 0; f < fields.size(); ++f) {
    const double value = f == 4 ? DmsToDegrees(fields[f]) : fields[f];
    if (!std::isfinite(value))
      return RouteError{number, static_cast<int>(f),
                        ElementPrefix(index) + "“" + FieldName(f) + "”超出数值范围！"};
    if (f == 1 && !(v.K1 > v.K0))
      return RouteError{
          number, 1,
          ElementPrefix(index) + "“" + FieldName(1) + "”必须大于“" + FieldName(0) + "”！"};
    if (f == 7 && v.Q != -1 && v.Q != 0 && v.Q != 1)
      return RouteError{number, 7,
                        ElementPrefix(index) + "“" + FieldName(7) +
                            "”只能输入-1、0或1（左转为-1、右转为1、直线为0）！"};
  }
  return std::nullopt;
}

}  // namespace

LineElement LoadElement(const ElementValues& v) {
  LineElement e{v.K0, v.K1, v.X0, v.Y0, DmsToDegrees(v.F), v.RQ, v.RN, v.Q};
  if (e.RQ == 0) e.RQ = kInfiniteRadius;
  if (e.RN == 0) e.RN = kInfiniteRadius;
  return e;
}

namespace {

// Unsigned, over the element; the tangent turns with the radii even where a
// Q of 0 keeps the position straight.
double LargestCurvature(const LineElement& e) {
  return std::max(std::fabs(1 / e.RQ), std::fabs(1 / e.RN));
}

PlanBox PointBox(Point p, double margin) {
  return {p.X - margin, p.Y - margin, p.X + margin, p.Y + margin};
}

PlanBox SamplesBox(const LineElement& e, std::span<const CentreLineSample> samples) {
  const double h = (e.K1 - e.K0) / static_cast<double>(samples.size() - 1);
  // Within a stretch of length h turning by t the line stays within h·t/8 of
  // its chord while t is small, and always within h/2 of either end.
  const double stray = h * std::min(LargestCurvature(e) * h / 4, 0.5) + kBoxSlack;
  PlanBox box;
  for (const CentreLineSample& s : samples) box.Add(PointBox(s.point, stray));
  return box;
}

// Bottom-up tree of boxes over runs of consecutive elements. Consecutive
// elements lie next to each other, so a run's box stays small and a point
// far from the route is dismissed at the top of the tree.
std::vector<PlanBox> BoxTree(const std::vector<PlanBox>& boxes) {
  size_t leaves = 1;
  while (leaves < boxes.size()) leaves *= 2;
  std::vector<PlanBox> tree(2 * leaves);
  std::copy(boxes.begin(), boxes.end(), tree.begin() + static_cast<std::ptrdiff_t>(leaves));
  for (size_t j = leaves - 1; j >= 1; --j) {
    tree[j] = tree[2 * j];
    tree[j].Add(tree[2 * j + 1]);
  }
  return tree;
}

// The grid serves searches to the usual reach, the inverse's default 100 m
// (wider ones descend the tree). Its cells are about the size of an
// ordinary element's box widened by that reach: each element is listed in
// a few cells, and a point's cell lists few beyond the elements near it.
constexpr double kGridReach = 100;
constexpr double kGridCell = 512;

}  // namespace

std::array<double, 8> FieldValues(const ElementValues& v) {
  return {v.K0, v.K1, v.X0, v.Y0, v.F, v.RQ, v.RN, v.Q};
}

ElementValues FromFieldValues(const std::array<double, 8>& f) {
  return {f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]};
}

void PlanBox::Add(const PlanBox& o) {
  minX = std::min(minX, o.minX);
  minY = std::min(minY, o.minY);
  maxX = std::max(maxX, o.maxX);
  maxY = std::max(maxY, o.maxY);
}

std::vector<CentreLineSample> CentreLineSamples(const LineElement& e) {
  const double length = e.K1 - e.K0;
  const double panels =
      std::clamp(std::ceil(LargestCurvature(e) * length / kBoxPanelTurn), 1.0, kMaxBoxPanels);
  std::vector<CentreLineSample> samples;
  samples.reserve(static_cast<size_t>(panels) + 1);
  for (double p = 0; p <= panels; ++p) {
    const double K = p == panels ? e.K1 : e.K0 + p * (length / panels);
    const double azimuth = QXFWJ(e, K);
    samples.push_back({K, CentreLinePoint(e, K), {CosDeg(azimuth), SinDeg(azimuth)}});
  }
  return samples;
}

PlanBox CentreLineBox(const LineElement& e) {
  return SamplesBox(e, CentreLineSamples(e));
}

std::variant<RouteError, Route> MakeRoute(std::vector<RouteElement> elements) {
  ClearUpperVectorState();  // a long route's samples are many points
  if (elements.empty()) return RouteError{0, -1, "线路中没有线元！"};
  Route route;
  route.loaded.reserve(elements.size());
  route.prepared.reserve(elements.size());
  route.boxes.reserve(elements.size());
  for (size_t i = 0; i < elements.size(); ++i) {
    if (auto error = CheckElement(i, elements[i].values)) return *error;
    const LineElement e = LoadElement(elements[i].values);
    const Point end = CentreLinePoint(e, e.K1);
    if (!std::isfinite(end.X) || !std::isfinite(end.Y) || !std::isfinite(QXFWJ(e, e.K1)))
      return RouteError{static_cast<int>(i + 1), -1,
                        ElementPrefix(i) + "的计算结果超出数值范围，请检查输入数据！"};
    const std::vector<CentreLineSample> samples = CentreLineSamples(e);
    route.firstSample.push_back(route.samples.size());
    route.samples.insert(route.samples.end(), samples.begin(), samples.end());
    route.loaded.push_back(e);
    route.prepared.push_back(Prepare(e));
    route.boxes.push_back(SamplesBox(e, samples));
  }
  route.firstSample.push_back(route.samples.size());
  route.elements = std::move(elements);
  route.boxTree = BoxTree(route.boxes);
  route.grid = MakePlanGrid(route.boxes, kGridCell, kGridReach);

  route.byStart.resize(route.loaded.size());
  std::iota(route.byStart.begin(), route.byStart.end(), 0);
  std::stable_sort(route.byStart.begin(), route.byStart.end(),
                   [&](int a, int b) { return route.loaded[a].K0 < route.loaded[b].K0; });
  route.reachK1.reserve(route.byStart.size());
  double reach = -std::numeric_limits<double>::infinity();
  for (int i : route.byStart) route.reachK1.push_back(reach = std::max(reach, route.loaded[i].K1));
  return route;
}

double RouteStart(const Route& route) {
  return route.loaded.front().K0;
}
double RouteEnd(const Route& route) {
  return route.loaded.back().K1;
}

}  // namespace tarnvel
