#include "core/section/cross_section.h"

#include <algorithm>

namespace tarnvel {

namespace {

// The figure a fraction `t` of the way from a to b, exactly a at t = 0 and b
// at t = 1, and exactly the figure where a and b are one.
double Between(double a, double b, double t) {
  return a == b ? a : a * (1 - t) + b * t;
}

void PartsBetween(const std::vector<SectionPart>& a, const std::vector<SectionPart>& b, double t,
                  std::vector<SectionPart>& out) {
  out.resize(a.size());
  for (std::size_t k = 0; k < a.size(); ++k)
    out[k] = {Between(a[k].width, b[k].width, t), Between(a[k].slope, b[k].slope, t)};
}

void Copy(const SectionStation& from, double station, SectionStation& out) {
  out.station = station;
  out.left.assign(from.left.begin(), from.left.end());
  out.right.assign(from.right.begin(), from.right.end());
  out.designOffset = from.designOffset;
}

}  // namespace

SectionStation SectionAt(const CrossSectionTable& table, double station) {
  std::size_t interval = 0;
  SectionStation section;
  SectionAt(table, station, interval, section);
  return section;
}

void SectionAt(const CrossSectionTable& table, double station, std::size_t& interval,
               SectionStation& section) {
  const auto& s = table.stations;
  if (station <= s.front().station) return Copy(s.front(), station, section);
  if (station >= s.back().station) return Copy(s.back(), station, section);
  // The interval k holds the station: s[k] <= station < s[k + 1].
  const auto holds = [&](std::size_t k) {
    return k + 1 < s.size() && s[k].station <= station && station < s[k + 1].station;
  };
  if (!holds(interval)) {
    if (holds(interval + 1)) {
      ++interval;
    } else {
      const auto above =
          std::upper_bound(s.begin(), s.end(), station,
                           [](double x, const SectionStation& q) { return x < q.station; });
      interval = static_cast<std::size_t>(above - s.begin()) - 1;
    }
  }
  const SectionStation& a = s[interval];
  const SectionStation& b = s[interval + 1];
  if (station == a.station) return Copy(a, station, section);
  const double t = (station - a.station) / (b.station - a.station);
  section.station = station;
  PartsBetween(a.left, b.left, t, section.left);
  PartsBetween(a.right, b.right, t, section.right);
  section.designOffset = Between(a.designOffset, b.designOffset, t);
}

}  // namespace tarnvel
