// The LandXML surface reader on arbitrary file contents, and the section
// cut of what it accepts through the middle of the surface's points. What
// it accepts names only points it has; each piece of a cut holds offsets
// that increase strictly, within the width asked for.
#include <QByteArray>
#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <variant>

#include "core/surface/surface_cut.h"
#include "fuzz_checks.h"
#include "io/surface/tin_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarnvel;
  const auto outcome = InFile(QStringLiteral("地面.xml"),
                              ParseLandXmlSurface(QByteArray(reinterpret_cast<const char*>(data),
                                                             static_cast<qsizetype>(size))));
  if (const auto* refusal = std::get_if<FileRefusal>(&outcome)) {
    fuzzing::Require(refusal->message.startsWith(QStringLiteral("文件“地面.xml”")),
                     "a refusal that does not name the file");
    return 0;
  }
  const Tin& tin = std::get<Tin>(outcome);
  for (const TinFace& face : tin.faces)
    for (const std::uint32_t corner : face)
      fuzzing::Require(corner < tin.points.size(), "a face naming a point it does not have");
  if (tin.points.empty()) return 0;
  double x = 0, y = 0;
  for (const TinPoint& point : tin.points) {
    x += point.X / static_cast<double>(tin.points.size());
    y += point.Y / static_cast<double>(tin.points.size());
  }
  constexpr double kWidth = 50;
  for (const double azimuth : {0.0, 37.5, 90.0})
    for (const auto& piece : SurfaceCut(tin, {{x, y}, azimuth}, kWidth))
      for (std::size_t i = 0; i < piece.size(); ++i) {
        fuzzing::Require(piece[i].offset >= -kWidth && piece[i].offset <= kWidth,
                         "a cut beyond its width");
        fuzzing::Require(i == 0 || piece[i].offset > piece[i - 1].offset,
                         "a cut's offsets not increasing");
      }
  return 0;
}
