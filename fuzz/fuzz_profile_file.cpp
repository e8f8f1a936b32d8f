// The profile file reader on arbitrary file contents. What it accepts is a
// profile of increasing, finite stations whose elevation and grade are
// finite at every PVI and half-way between, and whose 竖曲线表 is finite.
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "fuzz_checks.h"
#include "io/profile/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const auto outcome = InFile(QStringLiteral("纵断面.csv"),
                              ParseProfileFile(QByteArray(reinterpret_cast<const char*>(data),
                                                          static_cast<qsizetype>(size))));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(refusal->message.startsWith(QStringLiteral("文件“纵断面.csv”")),
                     "a refusal that does not name the file");
    return 0;
  }
  const VerticalProfile& profile = std::get<VerticalProfile>(outcome);
  fuzzing::Require(profile.pvis.size() >= 2, "a profile of fewer than two PVIs");
  std::size_t line = 0;
  for (std::size_t k = 0; k < profile.pvis.size(); ++k) {
    const double station = profile.pvis[k].station;
    fuzzing::Require(std::isfinite(station), "a station that is not finite");
    fuzzing::Require(k == 0 || station > profile.pvis[k - 1].station, "stations not increasing");
    const double between =
        k + 1 < profile.pvis.size() ? (station + profile.pvis[k + 1].station) / 2 : station;
    for (double at : {station, between}) {
      const auto point = ProfileAt(profile, at, line);
      fuzzing::Require(point.has_value(), "no elevation inside the profile");
      fuzzing::Require(std::isfinite(point->elevation) && std::isfinite(point->grade),
                       "an elevation or grade that is not finite");
    }
  }
  for (const VerticalCurveRow& row : VerticalCurveRows(profile)) {
    for (double v : {row.T, row.E, row.L, row.start, row.end, row.gradeBefore, row.gradeAfter})
      fuzzing::Require(std::isfinite(v), "a curve table figure that is not finite");
  }
  return 0;
}
