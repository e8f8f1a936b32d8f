// The stations file reader on arbitrary file contents. A refusal names the
// file; the lines given back are in file order, each with a finite 里程 and,
// where given, a finite 偏距 and 偏角.
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "fuzz_checks.h"
#include "io/route/station_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const auto outcome = InFile(QStringLiteral("里程.txt"),
                              ParseStationFile(QByteArray(reinterpret_cast<const char*>(data),
                                                          static_cast<qsizetype>(size))));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(refusal->message.startsWith(QStringLiteral("文件“里程.txt”")),
                     "a refusal that does not name the file");
    return 0;
  }
  int previous = 0;
  for (const StationLine& line : std::get<std::vector<StationLine>>(outcome)) {
    fuzzing::Require(line.line > previous, "lines out of file order");
    previous = line.line;
    fuzzing::Require(std::isfinite(line.station), "a station that is not finite");
    fuzzing::Require(!line.offset || std::isfinite(*line.offset), "an offset that is not finite");
    fuzzing::Require(!line.skewDms || std::isfinite(*line.skewDms), "a skew that is not finite");
  }
  return 0;
}
