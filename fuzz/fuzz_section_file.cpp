// The cross-section file reader on arbitrary file contents. What it accepts
// is a table of increasing, finite stations with the same parts at every
// station, and its surface is finite or absent at every offset tried.
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "core/section/section_surface.h"
#include "fuzz_checks.h"
#include "io/section/section_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const auto outcome = InFile(QStringLiteral("横断面.csv"),
                              ParseSectionFile(QByteArray(reinterpret_cast<const char*>(data),
                                                          static_cast<qsizetype>(size))));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(refusal->message.startsWith(QStringLiteral("文件“横断面.csv”")),
                     "a refusal that does not name the file");
    return 0;
  }
  const CrossSectionTable& table = std::get<CrossSectionTable>(outcome);
  fuzzing::Require(!table.stations.empty(), "a table without stations");
  for (std::size_t k = 0; k < table.stations.size(); ++k) {
    const SectionStation& listed = table.stations[k];
    fuzzing::Require(std::isfinite(listed.station), "a station that is not finite");
    fuzzing::Require(k == 0 || listed.station > table.stations[k - 1].station,
                     "stations not increasing");
    fuzzing::Require(listed.left.size() == table.leftParts.size() &&
                         listed.right.size() == table.rightParts.size(),
                     "a station whose parts differ from the header's");
    const double between = k + 1 < table.stations.size()
                               ? (listed.station + table.stations[k + 1].station) / 2
                               : listed.station + 1;
    const SectionStation section = SectionAt(table, between);
    for (double offset : {-SideWidth(section.left), -1.0, 0.0, 1.0, SideWidth(section.right)}) {
      const auto elevation = SurfaceElevation(section, 100, offset);
      fuzzing::Require(!elevation || std::isfinite(*elevation), "a surface that is not finite");
    }
  }
  return 0;
}
