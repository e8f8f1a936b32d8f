// The points file reader on arbitrary file contents. A refusal names the
// file; the points given back are in file order, with finite coordinates
// that are exactly the numbers of the X and Y texts kept for echoing, and a
// finite height where given.
#include <QByteArray>
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "core/text/number_reading.h"
#include "fuzz_checks.h"
#include "io/route/point_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const auto outcome = InFile(QStringLiteral("点.txt"),
                              ParsePointFile(QByteArray(reinterpret_cast<const char*>(data),
                                                        static_cast<qsizetype>(size))));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(refusal->message.startsWith(QStringLiteral("文件“点.txt”")),
                     "a refusal that does not name the file");
    return 0;
  }
  int previous = 0;
  for (const SurveyPoint& point : std::get<std::vector<SurveyPoint>>(outcome)) {
    fuzzing::Require(point.line > previous, "points out of file order");
    previous = point.line;
    fuzzing::Require(std::isfinite(point.point.X) && std::isfinite(point.point.Y),
                     "a coordinate that is not finite");
    fuzzing::Require(ReadStrict(point.xText.toStdString()) == point.point.X &&
                         ReadStrict(point.yText.toStdString()) == point.point.Y,
                     "a coordinate that is not the number of its text");
    fuzzing::Require(!point.height || std::isfinite(*point.height), "a height that is not finite");
  }
  return 0;
}
